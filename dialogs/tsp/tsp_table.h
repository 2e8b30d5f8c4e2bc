#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The layer choice of the tour over a point layer. The command fills SeltTab with the point
// layers of gLayerList before it shows the dialog. OK hands over the chosen list position
// (gTspTableLayerIndex, 0 when nothing is chosen) and name (gTspTableLayerName) with
// gTspTableCancelled 0; CANCEL, and closing the window by its frame, set gTspTableCancelled 1.
class TspTable : public AnswerForm {
public:
  TspTable();

  forms::Frame Frame1{
      *this, "Frame1", "Select a  Layer", {.Left = 120, .Top = 120, .Width = 3375, .Height = 855}};
  forms::ComboBox SeltTab{
      Frame1, "SeltTab", forms::ComboStyle::DropdownList,
      {},     "",        {.Left = 120, .Top = 360, .Width = 3135, .Height = 315}};
  forms::CommandButton TabOk{
      *this, "TabOk", "&OK", {.Left = 1080, .Top = 1080, .Width = 1095, .Height = 375}};
  forms::CommandButton TabCan{
      *this, "TabCan", "&CANCEL", {.Left = 2400, .Top = 1080, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
TspTable& gTspTableForm();

} // namespace corvane
