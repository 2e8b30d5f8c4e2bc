#pragma once

#include "forms/forms.h"

namespace corvane {

// Renames the road class selected in FrmSetSpeed: the entry starts with its name, wholly
// selected. "&OK" (or Enter) hands the trimmed text over in gAliasText; an empty text, or one
// that breaks the line, is refused and the dialog stays open. "&CANCEL", and closing the
// dialog by its frame, hand over the empty text.
class FrmAlias : public forms::Form {
public:
  FrmAlias();

  forms::Frame Frame1{
      *this, "Frame1", "Description", {.Left = 120, .Top = 120, .Width = 3255, .Height = 735}};
  forms::TextBox Text1{
      Frame1, "Text1", "", {.Left = 120, .Top = 300, .Width = 3015, .Height = 315}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 960, .Top = 1020, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 2280, .Top = 1020, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void CmdOk_Click();
};

// The shared instance, made on first use.
FrmAlias& gFrmAliasForm();

} // namespace corvane
