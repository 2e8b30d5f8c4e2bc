#pragma once

#include <string>

#include "forms/forms.h"

namespace corvane {

// A dialog that a command shows modally and reads once it has gone: its buttons each hand over
// an answer and close it. A dialog closed by its window frame made no choice; with a frame
// answer it says so, so that a run never starts with the choice of an earlier showing (the
// dialogs without one reset their answer in Form_Load instead).
class AnswerForm : public forms::Form {
protected:
  AnswerForm(std::string name, forms::FormLook look, forms::Event frame_answer = {});

  // A click on `button` hands over `answer`, then closes the dialog.
  void answer_with(forms::CommandButton& button, forms::Event answer);

  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
  const forms::Event frame_answer_;
};

} // namespace corvane
