#include "forms/ranges.h"

#include <algorithm>
#include <charconv>

namespace forms {

namespace {
void check_range(double min, double max) {
  if (!(min < max))
    throw Error("Invalid property value");
}
void check_inside(double value, double min, double max) {
  if (value < min || value > max)
    throw Error("Invalid property value");
}
} // namespace

ProgressBar::ProgressBar(Container& parent, Id id, double min, double max, Look look)
    : Control(parent, std::move(id), look), min_(min), max_(max), value_(min), design_min_(min),
      design_max_(max) {
  check_range(min, max);
}

double ProgressBar::Min() const {
  touch();
  return min_;
}
double ProgressBar::Max() const {
  touch();
  return max_;
}
void ProgressBar::SetMin(double min) {
  touch();
  check_range(min, max_);
  min_ = min;
  value_ = std::max(value_, min_);
}
void ProgressBar::SetMax(double max) {
  touch();
  check_range(min_, max);
  max_ = max;
  value_ = std::min(value_, max_);
}
double ProgressBar::Value() const {
  touch();
  return value_;
}
void ProgressBar::SetValue(double value) {
  touch();
  check_inside(value, min_, max_);
  value_ = value;
}
void ProgressBar::restore_state() {
  min_ = design_min_;
  max_ = design_max_;
  value_ = design_min_;
}

Slider::Slider(Container& parent, Id id, int min, int max, int value, Look look)
    : Control(parent, std::move(id), look), min_(min), max_(max), value_(value), design_min_(min),
      design_max_(max), design_value_(value) {
  check_range(min, max);
  check_inside(value, min, max);
}

int Slider::Min() const {
  touch();
  return min_;
}
int Slider::Max() const {
  touch();
  return max_;
}
void Slider::SetMin(int min) {
  touch();
  check_range(min, max_);
  min_ = min;
  SetValue(std::max(value_, min_));
}
void Slider::SetMax(int max) {
  touch();
  check_range(min_, max);
  max_ = max;
  SetValue(std::min(value_, max_));
}
int Slider::Value() const {
  touch();
  return value_;
}
void Slider::SetValue(int value) {
  touch();
  check_inside(value, min_, max_);
  if (value == value_)
    return;
  value_ = value;
  raise(Change);
}
std::string Slider::perform(const UserAction& action) {
  if (action.gesture == Gesture::Click) {
    raise(Click);
    return {};
  }
  if (action.gesture != Gesture::Set)
    return refusal(action);
  int value = 0;
  const auto& text = action.value;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < min_ || value > max_)
    return "cannot be set to \"" + text + "\" (a whole number " + std::to_string(min_) + ".." +
           std::to_string(max_) + ")";
  SetValue(value);
  return {};
}
void Slider::restore_state() {
  min_ = design_min_;
  max_ = design_max_;
  value_ = design_value_;
}

} // namespace forms
