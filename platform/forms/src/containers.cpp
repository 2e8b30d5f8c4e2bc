#include "forms/containers.h"

namespace forms {

namespace {
std::string click_or_refuse(const UserAction& action, const Event& click, const Event& double_click,
                            const std::string& refusal) {
  if (action.gesture == Gesture::Click)
    raise(click);
  else if (action.gesture == Gesture::DoubleClick)
    raise(double_click);
  else
    return refusal;
  return {};
}
} // namespace

Frame::Frame(Container& parent, Id id, std::string caption, Look look)
    : CaptionedControl(parent, std::move(id), std::move(caption), look) {}

std::string Frame::perform(const UserAction& action) {
  return click_or_refuse(action, Click, DblClick, refusal(action));
}

void Frame::appear(Appearance& out) const {
  CaptionedControl::appear(out);
  out.kind = "frame";
}

Shape::Shape(Container& parent, Id id, Color fill_color, Look look)
    : Control(parent, std::move(id), look), fill_color_(fill_color),
      design_fill_color_(fill_color) {}

Color Shape::FillColor() const {
  touch();
  return fill_color_;
}
void Shape::SetFillColor(Color color) {
  touch();
  fill_color_ = color;
}
void Shape::restore_state() {
  fill_color_ = design_fill_color_;
}

void Shape::appear(Appearance& out) const {
  out.kind = "shape";
  out.colour = fill_color_;
}

PictureBox::PictureBox(Container& parent, Id id, Look look)
    : Control(parent, std::move(id), look) {}

std::string PictureBox::perform(const UserAction& action) {
  return click_or_refuse(action, Click, DblClick, refusal(action));
}

void PictureBox::appear(Appearance& out) const {
  out.kind = "picture";
  out.colour = look().BackColor;
}

} // namespace forms
