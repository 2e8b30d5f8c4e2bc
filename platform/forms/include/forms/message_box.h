#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace forms {

// Button sets, icons and answers of a message box, with the platform's numeric values (an
// answer is stored as a number by callers that keep it).
enum class Buttons : int {
  OKOnly = 0,
  OKCancel = 1,
  AbortRetryIgnore = 2,
  YesNoCancel = 3,
  YesNo = 4,
  RetryCancel = 5,
};
enum class Icon : int {
  None = 0,
  Critical = 16,
  Question = 32,
  Exclamation = 48,
  Information = 64
};
enum class Answer : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct Message {
  std::string text;
  std::string title;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::OKOnly;
};

// The answers a button set offers, left to right; the first is the box's default.
std::vector<Answer> answers_of(Buttons buttons);

// Names as the transcript writes them: "YesNo", "exclamation", "Yes".
std::string_view name_of(Buttons buttons);
std::string_view name_of(Icon icon);
std::string_view name_of(Answer answer);
// "Yes" -> Answer::Yes, any letter case; false for a text that names no answer.
bool parse_answer(std::string_view text, Answer& answer);

// Shows a message box to the user and returns the button pressed. Without a user (no
// program drives the screen) the box takes its first button.
Answer MsgBox(std::string_view text, std::string_view title = "", Icon icon = Icon::None,
              Buttons buttons = Buttons::OKOnly);

} // namespace forms
