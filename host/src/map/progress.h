#pragma once

#include <string>

#include "com/object.h"
#include "host/progress.h"

namespace host {

class CancelTracker final : public com::ComObject<HostCancelTracker> {
public:
  bool Continue() override;
  void Reset() override { cancelled_ = false; }
  bool CancelOnKeyPress() override { return cancel_on_key_; }
  void SetCancelOnKeyPress(bool cancel) override { cancel_on_key_ = cancel; }

private:
  bool cancelled_ = false;
  bool cancel_on_key_ = true;
};

// A progress window and its bar in one object, as the factory hands it out.
class ProgressDialog final : public com::ComObject<HostStepProgressor, HostProgressDialog> {
public:
  int MinRange() override { return min_; }
  void SetMinRange(int value) override;
  int MaxRange() override { return max_; }
  void SetMaxRange(int value) override;
  int StepValue() override { return step_; }
  void SetStepValue(int value) override { step_ = value; }
  int Position() override { return position_; }
  void SetPosition(int value) override;
  std::string Message() override { return message_; }
  void SetMessage(const std::string& text) override { message_ = text; }
  void Step() override { SetPosition(position_ + step_); }
  void Show() override { bar_visible_ = true; }
  void Hide() override { bar_visible_ = false; }

  std::string Title() override { return title_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  bool CancelEnabled() override { return cancel_enabled_; }
  void SetCancelEnabled(bool enabled) override { cancel_enabled_ = enabled; }
  int Animation() override { return animation_; }
  void SetAnimation(int code) override { animation_ = code; }
  void ShowDialog() override { visible_ = true; }
  void HideDialog() override { visible_ = false; }
  bool Visible() override { return visible_; }

private:
  int min_ = 0;
  int max_ = 100;
  int step_ = 1;
  int position_ = 0;
  std::string message_;
  bool bar_visible_ = true;
  std::string title_;
  bool cancel_enabled_ = false;
  int animation_ = 0;
  bool visible_ = true;
};

class ProgressDialogFactory final : public com::ComObject<HostProgressDialogFactory> {
public:
  com::ComPtr<HostStepProgressor> Create(HostCancelTracker* tracker, long window) override;
};

} // namespace host
