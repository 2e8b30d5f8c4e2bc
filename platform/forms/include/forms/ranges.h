#pragma once

#include <string_view>

#include "forms/control.h"

namespace forms {

// A value kept within Min..Max. A value outside the range is an Error, as on the platform,
// and Max must stay above Min; moving a bound takes the value along when it falls outside.
template <class T> class RangeControl : public Control {
public:
  T Min() const;
  T Max() const;
  void SetMin(T min);
  void SetMax(T max);
  T Value() const;
  void SetValue(T value);

protected:
  RangeControl(Container& parent, Id id, T min, T max, T value, Look look);
  // The value changed, by a person or by code.
  virtual void value_changed() {}
  void restore_state() override;
  // The value and bounds; the subclass sets the kind.
  void appear(Appearance& out) const override;

private:
  T min_, max_, value_;
  const T design_min_, design_max_, design_value_;
};

extern template class RangeControl<double>;
extern template class RangeControl<int>;

// The common controls' progress bar ("MSComctlLib.ProgressBar").
class ProgressBar : public RangeControl<double> {
public:
  static constexpr std::string_view ProgID = "MSComctlLib.ProgressBar";

  ProgressBar(Container& parent, Id id, double min = 0, double max = 100, Look look = {});

protected:
  void appear(Appearance& out) const override;
};

// The common controls' slider ("MSComctlLib.Slider"). Change fires when the value changes,
// moved by a person or set by code.
class Slider : public RangeControl<int> {
public:
  static constexpr std::string_view ProgID = "MSComctlLib.Slider";

  Slider(Container& parent, Id id, int min = 0, int max = 10, int value = 0, Look look = {});

  Event Change;
  Event Click;

protected:
  std::string perform(const UserAction& action) override;
  void value_changed() override { raise(Change); }
  void appear(Appearance& out) const override;
};

} // namespace forms
