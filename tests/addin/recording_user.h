#pragma once

#include <vector>

#include "com/object.h"
#include "forms/user.h"

// The person at the screen for the add-in's tests: records message boxes and takes each box's
// first button; a modal form is left as it is (the form then closes as by its frame).
class RecordingUser final : public com::ComObject<forms::User> {
public:
  void FormShown(forms::IForm&, bool) override {}
  void WorkModal(forms::IForm&) override {}
  void FormClosedByFrame(forms::IForm&) override {}
  forms::Answer MessageBox(const forms::Message& message) override {
    messages.push_back(message);
    return forms::answers_of(message.buttons).front();
  }
  bool EscapePressed() override { return false; }

  std::vector<forms::Message> messages;
};

// Installs a RecordingUser for the life of the object.
class ScopedRecordingUser {
public:
  ScopedRecordingUser() : user_(com::make<RecordingUser>()) { forms::set_user(user_); }
  ~ScopedRecordingUser() { forms::set_user(nullptr); }
  RecordingUser& operator*() const { return *user_; }
  RecordingUser* operator->() const { return user_.get(); }

private:
  com::ComPtr<RecordingUser> user_;
};
