#pragma once

#include <functional>
#include <string>
#include <vector>

#include "com/object.h"
#include "forms/form.h"
#include "forms/user.h"

namespace corvane::testing {

// The person at the screen for one test: `work` acts on each modally shown form; what the
// person sees is logged. Installed for the lifetime of the object.
class ScriptedUser final : public com::ComObject<forms::User> {
public:
  std::function<void(forms::IForm&)> work;
  std::vector<std::string> seen;

  void FormShown(forms::IForm& form, bool) override {
    seen.push_back("shown " + std::string(form.FormName()) + " \"" + form.ShownCaption() + "\"");
  }
  void WorkModal(forms::IForm& form) override {
    if (work)
      work(form);
  }
  void FormClosedByFrame(forms::IForm& form) override {
    seen.push_back("closed " + std::string(form.FormName()));
  }
  void PointerChanged(forms::IForm&) override {}
  forms::Answer MessageBox(const forms::Message& message) override {
    seen.push_back("message " + message.text);
    return forms::answers_of(message.buttons).front();
  }
  bool EscapePressed() override { return false; }
};

struct WithScriptedUser {
  com::ComPtr<ScriptedUser> user = com::make<ScriptedUser>();
  WithScriptedUser() { forms::set_user(user); }
  ~WithScriptedUser() { forms::set_user(nullptr); }
};

} // namespace corvane::testing
