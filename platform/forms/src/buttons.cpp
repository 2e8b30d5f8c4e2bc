#include "forms/buttons.h"

namespace forms {

CommandButton::CommandButton(Container& parent, Id id, std::string caption, Look look)
    : CaptionedControl(parent, std::move(id), std::move(caption), look) {}

std::string CommandButton::perform(const UserAction& action) {
  if (action.gesture != Gesture::Click)
    return refusal(action);
  raise(Click);
  return {};
}

OptionButton::OptionButton(Container& parent, Id id, std::string caption, bool value, Look look)
    : CaptionedControl(parent, std::move(id), std::move(caption), look), value_(value),
      design_value_(value) {}

bool OptionButton::Value() const {
  touch();
  return value_;
}
void OptionButton::SetValue(bool value) {
  touch();
  if (value == value_)
    return;
  value_ = value;
  if (!value)
    return;
  for (Control* sibling : Parent().Children())
    if (auto* option = dynamic_cast<OptionButton*>(sibling); option && option != this)
      option->value_ = false;
  raise(Click);
}
std::string OptionButton::perform(const UserAction& action) {
  if (action.gesture == Gesture::Click) {
    SetValue(true);
    return {};
  }
  if (action.gesture == Gesture::DoubleClick) {
    SetValue(true);
    raise(DblClick);
    return {};
  }
  return refusal(action);
}
void CommandButton::appear(Appearance& out) const {
  CaptionedControl::appear(out);
  out.kind = "button";
}

void OptionButton::appear(Appearance& out) const {
  CaptionedControl::appear(out);
  out.kind = "option";
  out.value = value_ ? 1 : 0;
}

void OptionButton::restore_state() {
  value_ = design_value_;
  CaptionedControl::restore_state();
}

CheckBox::CheckBox(Container& parent, Id id, std::string caption, int value, Look look)
    : CaptionedControl(parent, std::move(id), std::move(caption), look), value_(value),
      design_value_(value) {}

int CheckBox::Value() const {
  touch();
  return value_;
}
void CheckBox::SetValue(int value) {
  touch();
  if (value < 0 || value > 2)
    throw Error("Invalid property value");
  if (value == value_)
    return;
  value_ = value;
  raise(Click);
}
std::string CheckBox::perform(const UserAction& action) {
  if (action.gesture == Gesture::Click) {
    SetValue(value_ == 1 ? 0 : 1);
    return {};
  }
  if (action.gesture != Gesture::Check)
    return refusal(action);
  if (action.value != "0" && action.value != "1")
    return "cannot be checked with \"" + action.value + "\" (0 or 1)";
  SetValue(action.value == "1" ? 1 : 0);
  return {};
}
void CheckBox::appear(Appearance& out) const {
  CaptionedControl::appear(out);
  out.kind = "check";
  out.value = value_;
}

void CheckBox::restore_state() {
  value_ = design_value_;
  CaptionedControl::restore_state();
}

} // namespace forms
