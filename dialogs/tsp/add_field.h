#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The label field of the tour over a point layer: "OID" or one of the layer's text fields,
// which the command puts into Combo1. OK hands the choice over in gAddFieldName with
// gAddFieldOk 1; CANCEL, and closing the window by its frame, set gAddFieldOk 0.
class AddField : public AnswerForm {
public:
  AddField();

  forms::Frame Frame1{
      *this, "Frame1", "Select a Field", {.Left = 120, .Top = 120, .Width = 3375, .Height = 855}};
  forms::ComboBox Combo1{Frame1, "Combo1", forms::ComboStyle::DropdownList,
                         {},     "",       {.Left = 120, .Top = 360, .Width = 3135, .Height = 315}};
  forms::CommandButton CmdOK{
      *this, "CmdOK", "&OK", {.Left = 1080, .Top = 1080, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCan{
      *this, "CmdCan", "&CANCEL", {.Left = 2400, .Top = 1080, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
AddField& gAddFieldForm();

} // namespace corvane
