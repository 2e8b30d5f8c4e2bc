#pragma once

#include "forms/control.h"

namespace forms {

class CommandButton : public CaptionedControl {
public:
  CommandButton(Container& parent, Id id, std::string caption, Look look = {});

  Event Click;

protected:
  std::string perform(const UserAction& action) override;
  void appear(Appearance& out) const override;
};

// One choice of a group: the option buttons of the same container. Selecting one clears the
// others of its group; Click fires when an option becomes selected, by a person or by code.
class OptionButton : public CaptionedControl {
public:
  OptionButton(Container& parent, Id id, std::string caption, bool value = false, Look look = {});

  bool Value() const;
  // Setting false only clears this option; setting true clears the rest of the group.
  void SetValue(bool value);

  Event Click;
  Event DblClick;

protected:
  std::string perform(const UserAction& action) override;
  void restore_state() override;
  void appear(Appearance& out) const override;

private:
  bool value_;
  const bool design_value_;
};

// Value 0 unchecked, 1 checked, 2 grayed. Click fires when the value changes, by a person or
// by code.
class CheckBox : public CaptionedControl {
public:
  CheckBox(Container& parent, Id id, std::string caption, int value = 0, Look look = {});

  int Value() const;
  // A value outside 0..2 is an Error.
  void SetValue(int value);

  Event Click;

protected:
  std::string perform(const UserAction& action) override;
  void restore_state() override;
  void appear(Appearance& out) const override;

private:
  int value_;
  const int design_value_;
};

} // namespace forms
