#include "forms/control.h"

#include <algorithm>

#include "forms/form.h"
#include "whole_number.h"

namespace forms {

std::string_view name_of(Gesture gesture) {
  switch (gesture) {
  case Gesture::Set:
    return "set";
  case Gesture::Select:
    return "select";
  case Gesture::Check:
    return "check";
  case Gesture::Click:
    return "click";
  case Gesture::DoubleClick:
    return "dblclick";
  case Gesture::Key:
    return "key";
  case Gesture::Hover:
    return "hover";
  }
  return "?";
}

Control::Control(Container& parent, Id id, Look look)
    : parent_(parent), name_(std::move(id.name)), index_(id.index), look_(look), design_(look) {
  parent_.children_.push_back(this);
  OwnerForm().adopt(this);
}

Control::~Control() {
  std::erase(parent_.children_, this);
  OwnerForm().forget(this);
}

void Control::touch() const {
  parent_.OwnerForm().touch();
}

bool Control::Enabled() const {
  touch();
  return look_.Enabled;
}
void Control::SetEnabled(bool enabled) {
  touch();
  look_.Enabled = enabled;
}
bool Control::Visible() const {
  touch();
  return look_.Visible;
}
void Control::SetVisible(bool visible) {
  touch();
  look_.Visible = visible;
}
Color Control::BackColor() const {
  touch();
  return look_.BackColor;
}
void Control::SetBackColor(Color color) {
  touch();
  look_.BackColor = color;
}
Color Control::ForeColor() const {
  touch();
  return look_.ForeColor;
}
void Control::SetForeColor(Color color) {
  touch();
  look_.ForeColor = color;
}
int Control::Left() const {
  touch();
  return look_.Left;
}
int Control::Top() const {
  touch();
  return look_.Top;
}
int Control::Width() const {
  touch();
  return look_.Width;
}
int Control::Height() const {
  touch();
  return look_.Height;
}
void Control::Move(int left, int top, int width, int height) {
  touch();
  look_.Left = left;
  look_.Top = top;
  look_.Width = width;
  look_.Height = height;
}

bool Control::Reachable() const {
  return look_.Enabled && look_.Visible && parent_.Reachable();
}

void Control::SetFocus() {
  touch();
  OwnerForm().focus(*this);
}

std::string Control::FullName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

Appearance Control::Appear() const {
  Appearance out;
  out.enabled = look_.Enabled;
  out.visible = look_.Visible;
  appear(out);
  return out;
}

std::string Control::Perform(const UserAction& action) {
  const std::string who = FullName();
  if (!look_.Visible)
    return who + " is not visible";
  if (!look_.Enabled)
    return who + " is disabled";
  if (!parent_.Reachable())
    return who + " is inside a disabled or hidden container";
  try {
    if (action.gesture == Gesture::Hover) {
      if (MouseMove)
        MouseMove(0, 0, 0, 0);
      return {};
    }
    const auto problem = perform(action);
    return problem.empty() ? problem : who + " " + problem;
  } catch (const std::exception& failure) {
    return who + " " + std::string(name_of(action.gesture)) + " failed: " + failure.what();
  }
}

std::string Control::perform(const UserAction& action) {
  return refusal(action);
}

std::string Control::refusal(const UserAction& action) const {
  return "does not take \"" + std::string(name_of(action.gesture)) + "\"";
}

void Control::RestoreDesign() {
  look_ = design_;
  restore_state();
}

CaptionedControl::CaptionedControl(Container& parent, Id id, std::string caption, Look look)
    : Control(parent, std::move(id), look), caption_(caption), design_caption_(std::move(caption)) {
}

std::string CaptionedControl::Caption() const {
  touch();
  return caption_;
}
void CaptionedControl::SetCaption(std::string caption) {
  touch();
  caption_ = std::move(caption);
}
void CaptionedControl::restore_state() {
  caption_ = design_caption_;
}
void CaptionedControl::appear(Appearance& out) const {
  out.caption = caption_;
}

std::string KeyEvents::press_key(std::string_view key_code) {
  const auto number = whole_number(key_code);
  if (!number || *number < 1 || *number > 255)
    return "cannot take the key \"" + std::string(key_code) + "\" (a key code 1..255)";
  const int code = *number;
  int down = code;
  if (KeyDown)
    KeyDown(down, 0);
  // Enter, Esc, Backspace and the printable keys type a character.
  const bool types = code == 8 || code == 13 || code == 27 || (code >= 32 && code <= 126);
  if (down != 0 && types && KeyPress) {
    int ascii = code;
    KeyPress(ascii);
  }
  int up = code;
  if (KeyUp)
    KeyUp(up, 0);
  return {};
}

} // namespace forms
