#include "dialogs/answer_form.h"

#include <utility>

namespace corvane {

AnswerForm::AnswerForm(std::string name, forms::FormLook look, forms::Event frame_answer)
    : Form(std::move(name), std::move(look)), frame_answer_(std::move(frame_answer)) {}

void AnswerForm::answer_with(forms::CommandButton& button, forms::Event answer) {
  button.Click = [this, answer = std::move(answer)] {
    answer();
    Unload();
  };
}

void AnswerForm::Form_QueryUnload(int&, int UnloadMode) {
  if (UnloadMode == forms::FormControlMenu && frame_answer_)
    frame_answer_();
}

} // namespace corvane
