#include "forms/containers.h"

namespace forms {

namespace {
std::string click_or_refuse(const UserAction& action, const Event& click, const Event& double_click,
                            const std::string& refusal) {
  if (action.gesture == Gesture::Click) raise(click);
  else if (action.gesture == Gesture::DoubleClick) raise(double_click);
  else return refusal;
  return {};
}
} // namespace

Frame::Frame(Container& parent, Id id, std::string caption, Look look)
    : Control(parent, std::move(id), look), caption_(caption), design_caption_(std::move(caption)) {}

std::string Frame::Caption() const {
  touch();
  return caption_;
}
void Frame::SetCaption(std::string caption) {
  touch();
  caption_ = std::move(caption);
}
std::string Frame::perform(const UserAction& action) {
  return click_or_refuse(action, Click, DblClick, refusal(action));
}
void Frame::restore_state() { caption_ = design_caption_; }

PictureBox::PictureBox(Container& parent, Id id, Look look)
    : Control(parent, std::move(id), look) {}

std::string PictureBox::perform(const UserAction& action) {
  return click_or_refuse(action, Click, DblClick, refusal(action));
}

} // namespace forms
