#include "forms/message_box.h"

#include <algorithm>
#include <array>

#include "com/letter_case.h"
#include "forms/user.h"

namespace forms {

namespace {
constexpr std::array answer_names{
    std::pair{Answer::OK, "OK"},         std::pair{Answer::Cancel, "Cancel"},
    std::pair{Answer::Abort, "Abort"},   std::pair{Answer::Retry, "Retry"},
    std::pair{Answer::Ignore, "Ignore"}, std::pair{Answer::Yes, "Yes"},
    std::pair{Answer::No, "No"}};

} // namespace

std::vector<Answer> answers_of(Buttons buttons) {
  switch (buttons) {
  case Buttons::OKOnly:
    return {Answer::OK};
  case Buttons::OKCancel:
    return {Answer::OK, Answer::Cancel};
  case Buttons::AbortRetryIgnore:
    return {Answer::Abort, Answer::Retry, Answer::Ignore};
  case Buttons::YesNoCancel:
    return {Answer::Yes, Answer::No, Answer::Cancel};
  case Buttons::YesNo:
    return {Answer::Yes, Answer::No};
  case Buttons::RetryCancel:
    return {Answer::Retry, Answer::Cancel};
  }
  return {Answer::OK};
}

std::string_view name_of(Buttons buttons) {
  switch (buttons) {
  case Buttons::OKOnly:
    return "OK";
  case Buttons::OKCancel:
    return "OKCancel";
  case Buttons::AbortRetryIgnore:
    return "AbortRetryIgnore";
  case Buttons::YesNoCancel:
    return "YesNoCancel";
  case Buttons::YesNo:
    return "YesNo";
  case Buttons::RetryCancel:
    return "RetryCancel";
  }
  return "OK";
}

std::string_view name_of(Icon icon) {
  switch (icon) {
  case Icon::None:
    return "none";
  case Icon::Critical:
    return "critical";
  case Icon::Question:
    return "question";
  case Icon::Exclamation:
    return "exclamation";
  case Icon::Information:
    return "information";
  }
  return "none";
}

std::string_view name_of(Answer answer) {
  for (const auto& [value, name] : answer_names)
    if (value == answer)
      return name;
  return "OK";
}

bool parse_answer(std::string_view text, Answer& answer) {
  for (const auto& [value, name] : answer_names) {
    if (com::equal_ignoring_case(text, name)) {
      answer = value;
      return true;
    }
  }
  return false;
}

Answer MsgBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons) {
  const auto offered = answers_of(buttons);
  const auto user = current_user();
  if (!user)
    return offered.front();
  const Answer answer =
      user->MessageBox(Message{std::string(text), std::string(title), icon, buttons});
  // A user that presses a button the box does not have gets the box's default.
  return std::ranges::find(offered, answer) != offered.end() ? answer : offered.front();
}

} // namespace forms
