#pragma once

#include <string_view>

#include "forms/control.h"

namespace forms {

// The common controls' progress bar ("MSComctlLib.ProgressBar"). A value outside Min..Max
// is an Error, as on the platform; Max must stay above Min.
class ProgressBar : public Control {
public:
  static constexpr std::string_view ProgID = "MSComctlLib.ProgressBar";

  ProgressBar(Container& parent, Id id, double min = 0, double max = 100, Look look = {});

  double Min() const;
  double Max() const;
  void SetMin(double min);
  void SetMax(double max);
  double Value() const;
  void SetValue(double value);

protected:
  void restore_state() override;

private:
  double min_, max_, value_;
  const double design_min_, design_max_;
};

// The common controls' slider ("MSComctlLib.Slider"). A value outside Min..Max is an Error.
// Change fires when the value changes, moved by a person or set by code.
class Slider : public Control {
public:
  static constexpr std::string_view ProgID = "MSComctlLib.Slider";

  Slider(Container& parent, Id id, int min = 0, int max = 10, int value = 0, Look look = {});

  int Min() const;
  int Max() const;
  void SetMin(int min);
  void SetMax(int max);
  int Value() const;
  void SetValue(int value);

  Event Change;
  Event Click;

protected:
  std::string perform(const UserAction& action) override;
  void restore_state() override;

private:
  int min_, max_, value_;
  const int design_min_, design_max_, design_value_;
};

} // namespace forms
