#include "forms/text.h"

#include <algorithm>

namespace forms {

Label::Label(Container& parent, Id id, std::string caption, Look look)
    : CaptionedControl(parent, std::move(id), std::move(caption), look) {}

std::string Label::perform(const UserAction& action) {
  if (action.gesture == Gesture::Click)
    raise(Click);
  else if (action.gesture == Gesture::DoubleClick)
    raise(DblClick);
  else
    return refusal(action);
  return {};
}

TextBox::TextBox(Container& parent, Id id, std::string text, Look look)
    : Control(parent, std::move(id), look), text_(text), design_text_(std::move(text)) {}

std::string TextBox::Text() const {
  touch();
  return text_;
}
void TextBox::SetText(std::string text) {
  touch();
  if (text == text_)
    return;
  text_ = std::move(text);
  sel_start_ = std::min(sel_start_, static_cast<int>(text_.size()));
  sel_length_ = std::min(sel_length_, static_cast<int>(text_.size()) - sel_start_);
  raise(Change);
}
int TextBox::SelStart() const {
  touch();
  return sel_start_;
}
int TextBox::SelLength() const {
  touch();
  return sel_length_;
}
void TextBox::SetSelection(int start, int length) {
  touch();
  const int size = static_cast<int>(text_.size());
  if (start < 0 || length < 0)
    throw Error("Invalid property value");
  sel_start_ = std::min(start, size);
  sel_length_ = std::min(length, size - sel_start_);
}
std::string TextBox::perform(const UserAction& action) {
  switch (action.gesture) {
  case Gesture::Set:
    SetText(action.value);
    return {};
  case Gesture::Key:
    return press_key(action.value);
  case Gesture::Click:
    raise(Click);
    return {};
  case Gesture::DoubleClick:
    raise(DblClick);
    return {};
  default:
    return refusal(action);
  }
}
void Label::appear(Appearance& out) const {
  CaptionedControl::appear(out);
  out.kind = "label";
}

void TextBox::appear(Appearance& out) const {
  out.kind = "text";
  out.text = text_;
}

void TextBox::restore_state() {
  text_ = design_text_;
  sel_start_ = 0;
  sel_length_ = 0;
}

} // namespace forms
