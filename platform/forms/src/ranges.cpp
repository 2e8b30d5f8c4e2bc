#include "forms/ranges.h"

#include <algorithm>

#include "whole_number.h"

namespace forms {

namespace {
template <class T> void check_range(T min, T max) {
  if (!(min < max))
    throw Error("Invalid property value");
}
template <class T> void check_inside(T value, T min, T max) {
  if (value < min || value > max)
    throw Error("Invalid property value");
}
} // namespace

template <class T>
RangeControl<T>::RangeControl(Container& parent, Id id, T min, T max, T value, Look look)
    : Control(parent, std::move(id), look), min_(min), max_(max), value_(value), design_min_(min),
      design_max_(max), design_value_(value) {
  check_range(min, max);
  check_inside(value, min, max);
}

template <class T> T RangeControl<T>::Min() const {
  touch();
  return min_;
}
template <class T> T RangeControl<T>::Max() const {
  touch();
  return max_;
}
template <class T> void RangeControl<T>::SetMin(T min) {
  touch();
  check_range(min, max_);
  min_ = min;
  SetValue(std::max(value_, min_));
}
template <class T> void RangeControl<T>::SetMax(T max) {
  touch();
  check_range(min_, max);
  max_ = max;
  SetValue(std::min(value_, max_));
}
template <class T> T RangeControl<T>::Value() const {
  touch();
  return value_;
}
template <class T> void RangeControl<T>::SetValue(T value) {
  touch();
  check_inside(value, min_, max_);
  if (value == value_)
    return;
  value_ = value;
  value_changed();
}
template <class T> void RangeControl<T>::restore_state() {
  min_ = design_min_;
  max_ = design_max_;
  value_ = design_value_;
}

template <class T> void RangeControl<T>::appear(Appearance& out) const {
  out.value = value_;
  out.min = min_;
  out.max = max_;
}

template class RangeControl<double>;
template class RangeControl<int>;

ProgressBar::ProgressBar(Container& parent, Id id, double min, double max, Look look)
    : RangeControl(parent, std::move(id), min, max, min, look) {}

void ProgressBar::appear(Appearance& out) const {
  RangeControl::appear(out);
  out.kind = "progress";
}

Slider::Slider(Container& parent, Id id, int min, int max, int value, Look look)
    : RangeControl(parent, std::move(id), min, max, value, look) {}

std::string Slider::perform(const UserAction& action) {
  if (action.gesture == Gesture::Click) {
    raise(Click);
    return {};
  }
  if (action.gesture != Gesture::Set)
    return refusal(action);
  const auto value = whole_number(action.value);
  if (!value || *value < Min() || *value > Max())
    return "cannot be set to \"" + action.value + "\" (a whole number " + std::to_string(Min()) +
           ".." + std::to_string(Max()) + ")";
  SetValue(*value);
  return {};
}

void Slider::appear(Appearance& out) const {
  RangeControl::appear(out);
  out.kind = "slider";
}

} // namespace forms
