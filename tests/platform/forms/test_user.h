#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/user.h"

// A person driven by the test: a callback works each modal form, answers come from a queue,
// and everything the person sees is logged.
class TestUser final : public com::ComObject<forms::User> {
public:
  std::function<void(forms::IForm&)> work;
  std::deque<forms::Answer> answers;
  int escapes = 0;
  std::vector<std::string> seen;

  void FormShown(forms::IForm& form, bool modal) override {
    seen.push_back(std::string(modal ? "modal " : "modeless ") + std::string(form.FormName()));
  }
  void WorkModal(forms::IForm& form) override {
    if (work)
      work(form);
  }
  void FormClosedByFrame(forms::IForm& form) override {
    seen.push_back("closed " + std::string(form.FormName()));
  }
  forms::Answer MessageBox(const forms::Message& message) override {
    seen.push_back("message " + message.title + ": " + message.text);
    if (answers.empty())
      return forms::answers_of(message.buttons).front();
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool EscapePressed() override {
    if (escapes == 0)
      return false;
    --escapes;
    return true;
  }
};

// Installs a TestUser for the scope of a test.
struct WithTestUser {
  com::ComPtr<TestUser> user = com::make<TestUser>();
  WithTestUser() { forms::set_user(user); }
  ~WithTestUser() { forms::set_user(nullptr); }
};
