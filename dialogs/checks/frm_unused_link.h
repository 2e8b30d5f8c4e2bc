#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The join column. The command puts the network layer's candidate fields into Combo1. OK keeps
// the choice in gJoinFieldName and sets gUnusedLinkDialogResult to 1; the command then writes
// the join column file. CANCEL, and closing the window by its frame, leave the result 0.
class FrmUnusedLink : public AnswerForm {
public:
  FrmUnusedLink();

  forms::Frame Frame1{
      *this, "Frame1", "Field", {.Left = 120, .Top = 120, .Width = 3375, .Height = 855}};
  forms::ComboBox Combo1{Frame1, "Combo1", forms::ComboStyle::DropdownList,
                         {},     "",       {.Left = 120, .Top = 360, .Width = 3135, .Height = 315}};
  forms::CommandButton OkCmd{
      *this, "OkCmd", "&OK", {.Left = 1080, .Top = 1080, .Width = 1095, .Height = 375}};
  forms::CommandButton CanCmd{
      *this, "CanCmd", "&CANCEL", {.Left = 2400, .Top = 1080, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
FrmUnusedLink& gFrmUnusedLinkForm();

} // namespace corvane
