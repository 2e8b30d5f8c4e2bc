#pragma once

#include "forms/control.h"

namespace forms {

class Label : public CaptionedControl {
public:
  Label(Container& parent, Id id, std::string caption, Look look = {});

  Event Click;
  Event DblClick;

protected:
  std::string perform(const UserAction& action) override;
  void appear(Appearance& out) const override;
};

// Change fires whenever the text changes, typed by a person or set by code. The selection
// (SelStart, SelLength) is kept as data for the callers that preselect the text.
class TextBox : public Control, public KeyEvents {
public:
  TextBox(Container& parent, Id id, std::string text = "", Look look = {});

  std::string Text() const;
  void SetText(std::string text);
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);

  Event Change;
  Event Click;
  Event DblClick;

protected:
  std::string perform(const UserAction& action) override;
  void restore_state() override;
  void appear(Appearance& out) const override;

private:
  std::string text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
  const std::string design_text_;
};

} // namespace forms
