#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The distance of the close-node search, read as TypedNumber reads it (a decimal comma for the
// point). OK with a positive number keeps it in gCloseNodeValue with gCloseNodeOk 1; an empty
// entry or text that is no number keeps the dialog open with "Enter a distance value > 0";
// CANCEL, a number of 0 or less, and closing the window by its frame leave gCloseNodeOk 0. The text
// starts at "0.005" on every showing.
class FrmCloseNode : public AnswerForm {
public:
  FrmCloseNode();

  forms::Frame Frame1{
      *this, "Frame1", "Distance", {.Left = 120, .Top = 120, .Width = 3375, .Height = 855}};
  forms::TextBox DistText{
      Frame1, "DistText", "", {.Left = 240, .Top = 360, .Width = 2895, .Height = 315}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 1080, .Top = 1080, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 2400, .Top = 1080, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void accept();
};

// The shared instance, made on first use.
FrmCloseNode& gFrmCloseNodeForm();

} // namespace corvane
