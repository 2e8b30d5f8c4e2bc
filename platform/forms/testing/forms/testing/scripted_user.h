#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/user.h"

namespace forms::testing {

// The person at the screen for unit tests of dialogs and of the code that shows them. Each
// modal showing of a form runs the next script queued for that form's name: the script gets
// the live form and acts as a user would (through Perform, or on the concrete form's members).
// A showing without a script, or a script that leaves the form open, ends with the form closed
// by its frame. Message boxes are recorded and answered from a queue, else with their first
// button; Esc keys come from a count.
//   ScopedUser person;
//   person->expect<Polylines>("Polylines", [](Polylines& d) { d.Combo1.SetListIndex(1);
//   d.CmdOk.Click(); }); person->answers.push_back(forms::Answer::No);
class ScriptedUser final : public com::ComObject<User> {
public:
  using Script = std::function<void(IForm&)>;

  void expect(const std::string& form, Script script) {
    scripts_[form].push_back(std::move(script));
  }
  // A script on the concrete form class; the showing fails the script's cast otherwise.
  template <class F> void expect(const std::string& form, std::function<void(F&)> script) {
    expect(form, [script = std::move(script)](IForm& shown) { script(dynamic_cast<F&>(shown)); });
  }
  // Scripts queued and not yet run.
  std::size_t pending() const {
    std::size_t count = 0;
    for (const auto& [form, scripts] : scripts_)
      count += scripts.size();
    return count;
  }

  std::deque<Answer> answers;
  int escapes = 0;
  std::vector<Message> messages;
  // What the person saw, in order: "modal NAME", "modeless NAME", "closed NAME",
  // "pointer NAME POINTER", "focus NAME CONTROL",
  // "message TEXT".
  std::vector<std::string> seen;

  void FormShown(IForm& form, bool modal) override {
    seen.push_back((modal ? "modal " : "modeless ") + std::string(form.FormName()));
  }
  void WorkModal(IForm& form) override {
    const auto found = scripts_.find(std::string(form.FormName()));
    if (found == scripts_.end() || found->second.empty())
      return;
    auto script = std::move(found->second.front());
    found->second.pop_front();
    script(form);
  }
  void FormClosedByFrame(IForm& form) override {
    seen.push_back("closed " + std::string(form.FormName()));
  }
  void PointerChanged(IForm& form) override {
    seen.push_back("pointer " + std::string(form.FormName()) + " " + name_of(form.ShownPointer()));
  }
  void FocusChanged(IForm& form) override {
    seen.push_back("focus " + std::string(form.FormName()) + " " + form.FocusedControl());
  }
  Answer MessageBox(const Message& message) override {
    messages.push_back(message);
    seen.push_back("message " + message.text);
    if (answers.empty())
      return answers_of(message.buttons).front();
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool EscapePressed() override {
    if (escapes == 0)
      return false;
    --escapes;
    return true;
  }

private:
  std::map<std::string, std::deque<Script>> scripts_;
};

// Installs a ScriptedUser as the process's user for the life of the object.
class ScopedUser {
public:
  ScopedUser() : user_(com::make<ScriptedUser>()) { set_user(user_); }
  ~ScopedUser() { set_user(nullptr); }
  ScopedUser(const ScopedUser&) = delete;
  ScopedUser& operator=(const ScopedUser&) = delete;

  ScriptedUser& operator*() const { return *user_; }
  ScriptedUser* operator->() const { return user_.get(); }

private:
  com::ComPtr<ScriptedUser> user_;
};

} // namespace forms::testing
