#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>

#include "forms/form.h"
#include "forms/user.h"
#include "host/user_sink.h"
#include "session/transcript.h"
#include "win/shell.h"

namespace host::session {

// A session line that could not be carried out.
struct Failure {
  int line = 0;
  std::string what;
};

// One thing the person will do to a form: a gesture on a control, closing the form by its
// window frame, or reading the form's state into the transcript.
struct FormStep {
  enum Kind { Gesture, Close, State };
  int line = 0;
  std::string control;
  forms::UserAction action;
  Kind kind = Gesture;
};

// The person at the screen during a session: works modal forms with the steps queued for
// them, answers message boxes from the queued answers, presses the queued Esc keys, and writes
// what it sees to the transcript. The first step it cannot carry out is kept as the session's
// failure; from then on it does nothing more, so the running command ends soon.
class SessionUser final : public com::ComObject<forms::User>, public HostUserSink {
public:
  explicit SessionUser(Transcript& transcript) : transcript_(transcript) {}

  void queue_form_step(const std::string& form, FormStep step);
  void queue_answer(int line, forms::Answer answer);
  void queue_escape(int line);

  const std::optional<Failure>& failure() const { return failure_; }
  // The text of the last message box since the previous call, which forgets it.
  std::optional<std::string> take_last_message();
  // The first queued action that was never used, as a failure.
  std::optional<Failure> unused();

  void FormShown(forms::IForm& form, bool modal) override;
  void WorkModal(forms::IForm& form) override;
  void FormClosedByFrame(forms::IForm& form) override;
  void PointerChanged(forms::IForm& form) override;
  void FocusChanged(forms::IForm& form) override;
  forms::Answer MessageBox(const forms::Message& message) override;
  bool EscapePressed() override;

  void status(const std::string& text) override;
  void table_window(const std::string& name) override;
  bool take_escape() override { return forms::escape_pressed(); }

  // A document the add-in asked the desktop to open (there is no desktop to open it on).
  void shell(const win::ShellRequest& request);

private:
  void fail(int line, std::string what);

  Transcript& transcript_;
  std::map<std::string, std::deque<FormStep>, std::less<>> form_steps_;
  std::deque<std::pair<int, forms::Answer>> answers_;
  std::deque<int> escapes_;
  std::optional<std::string> last_message_;
  std::optional<Failure> failure_;
};

} // namespace host::session
