#include "session/session_user.h"

#include <algorithm>
#include <filesystem>

#include "session/form_listing.h"
#include "win/paths.h"

namespace host::session {

void SessionUser::queue_form_step(const std::string& form, FormStep step) {
  form_steps_[form].push_back(std::move(step));
}

void SessionUser::queue_answer(int line, forms::Answer answer) {
  answers_.emplace_back(line, answer);
}

void SessionUser::queue_escape(int line) {
  escapes_.push_back(line);
}

std::optional<std::string> SessionUser::take_last_message() {
  return std::exchange(last_message_, std::nullopt);
}

std::optional<Failure> SessionUser::unused() {
  std::optional<Failure> first;
  const auto keep_first = [&](int line, std::string what) {
    if (!first || line < first->line)
      first = Failure{line, std::move(what)};
  };
  for (const auto& [form, steps] : form_steps_) {
    if (steps.empty())
      continue;
    std::string what = "form " + form + " was not shown to take this step";
    // A misspelt name is the likely cause when no dialog has it.
    if (const auto names = designed_form_names();
        !names.empty() && std::ranges::find(names, form) == names.end())
      what += " (no dialog is named " + form + "; the dialogs: " + comma_separated(names) + ")";
    keep_first(steps.front().line, what);
  }
  if (!answers_.empty())
    keep_first(answers_.front().first, "no message box took this answer");
  if (!escapes_.empty())
    keep_first(escapes_.front(), "no long operation took this Esc key");
  return first;
}

void SessionUser::fail(int line, std::string what) {
  if (!failure_)
    failure_ = Failure{line, std::move(what)};
}

// A problem list is read item by item, so a scripted run shows what went wrong where. A form
// shown with a pointer of its own shows it.
void SessionUser::FormShown(forms::IForm& form, bool) {
  transcript_.line("dialog " + std::string(form.FormName()) + " " + quote(form.ShownCaption()));
  if (form.ShownPointer() != forms::Pointer::Default)
    PointerChanged(form);
  for (const auto& problem : form.ListedProblems())
    transcript_.line("problem " + quote(problem));
}

void SessionUser::PointerChanged(forms::IForm& form) {
  transcript_.line("pointer " + std::string(form.FormName()) + " " +
                   forms::name_of(form.ShownPointer()));
}

void SessionUser::FocusChanged(forms::IForm& form) {
  transcript_.line("focus " + std::string(form.FormName()) + " " + form.FocusedControl());
}

void SessionUser::WorkModal(forms::IForm& form) {
  const auto found = form_steps_.find(form.FormName());
  if (found == form_steps_.end())
    return;
  auto& steps = found->second;
  while (form.Showing() && !steps.empty() && !failure_) {
    const FormStep step = std::move(steps.front());
    steps.pop_front();
    if (step.kind == FormStep::State) {
      for (const auto& line : form_lines("state", form))
        transcript_.line(line);
      continue;
    }
    const std::string problem = step.kind == FormStep::Close
                                    ? form.CloseByFrame()
                                    : form.Perform(step.control, step.action);
    if (!problem.empty())
      fail(step.line, "form " + std::string(form.FormName()) + ": " + problem);
  }
}

void SessionUser::FormClosedByFrame(forms::IForm& form) {
  transcript_.line("closed " + std::string(form.FormName()));
}

forms::Answer SessionUser::MessageBox(const forms::Message& message) {
  const auto offered = forms::answers_of(message.buttons);
  forms::Answer answer = offered.front();
  if (!answers_.empty() && !failure_) {
    const auto [line, wanted] = answers_.front();
    answers_.pop_front();
    if (std::ranges::find(offered, wanted) != offered.end())
      answer = wanted;
    else
      fail(line, "the message box " + quote(message.text) + " has no " +
                     std::string(forms::name_of(wanted)) + " button");
  }
  last_message_ = message.text;
  transcript_.line("message " + quote(message.title) + " " + quote(message.text) + " " +
                   std::string(forms::name_of(message.icon)) + " " +
                   std::string(forms::name_of(message.buttons)) + " -> " +
                   std::string(forms::name_of(answer)));
  return answer;
}

bool SessionUser::EscapePressed() {
  if (escapes_.empty() || failure_)
    return false;
  escapes_.pop_front();
  return true;
}

void SessionUser::status(const std::string& text) {
  transcript_.line("status " + quote(text));
}

void SessionUser::table_window(const std::string& name) {
  transcript_.line("table " + name);
}

// The file is named without its folder, which depends on where the add-in was installed.
void SessionUser::shell(const win::ShellRequest& request) {
  const auto file = std::filesystem::path(win::native_path(request.file)).filename().string();
  transcript_.line("shell " + quote(request.operation) + " " + quote(file) + " " +
                   std::to_string(request.show_command));
}

} // namespace host::session
