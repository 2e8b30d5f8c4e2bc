#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"

namespace corvane {

// The warning before the network layer may be edited. CONTINUE sets gBackDialogResult to 1;
// BACK UP, and closing the window by its frame, leave it 0: only a clear yes goes on.
class Back : public AnswerForm {
public:
  Back();

  forms::Label Label1{*this,
                      "Label1",
                      "This function may update your road Network. Choose BACK UP if you want to "
                      "manually make a backup first",
                      {.Left = 240, .Top = 240, .Width = 4215, .Height = 615}};
  forms::CommandButton Backup{
      *this, "Backup", "BACK UP", {.Left = 720, .Top = 1080, .Width = 1335, .Height = 375}};
  forms::CommandButton Continue{
      *this, "Continue", "CONTINUE", {.Left = 2640, .Top = 1080, .Width = 1335, .Height = 375}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
Back& gBackForm();

} // namespace corvane
