#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The length limit of joined links, read as TypedNumber reads it (a decimal comma for the
// point). OK is enabled only while the text is a number, checked whenever the mouse moves over
// the dialog or the text box; a limit of 0 or more is kept in gLinkLimitValue with gLinkLimitOk
// 1, a negative one is refused with "Invalid Value". CANCEL, and closing the window by its
// frame, leave gLinkLimitOk 0.
class LinkLimit : public AnswerForm {
public:
  LinkLimit();

  forms::Frame Frame1{
      *this, "Frame1", "Length", {.Left = 120, .Top = 120, .Width = 3375, .Height = 855}};
  forms::TextBox Text1{
      Frame1, "Text1", "", {.Left = 240, .Top = 360, .Width = 2895, .Height = 315}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 1080, .Top = 1080, .Width = 1095, .Height = 375}};
  forms::CommandButton Cmdcan{
      *this, "Cmdcan", "&CANCEL", {.Left = 2400, .Top = 1080, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_MouseMove(int Button, int Shift, float X, float Y) override;

private:
  void enable_ok();
  void accept();
};

// The shared instance, made on first use.
LinkLimit& gLinkLimitForm();

} // namespace corvane
