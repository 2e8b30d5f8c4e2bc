#pragma once

#include "forms/control.h"

namespace forms {

// A captioned group of controls; its option buttons form one group.
class Frame : public CaptionedControl, public Container {
public:
  Frame(Container& parent, Id id, std::string caption, Look look = {});

  Form& OwnerForm() override { return Control::OwnerForm(); }
  bool Reachable() const override { return Control::Reachable(); }

  Event Click;
  Event DblClick;

protected:
  std::string perform(const UserAction& action) override;
  void appear(Appearance& out) const override;
};

// A drawn figure (rectangle, oval, ...) that shows a colour; it takes no gestures.
class Shape : public Control {
public:
  Shape(Container& parent, Id id, Color fill_color = Rgb(255, 255, 255), Look look = {});

  Color FillColor() const;
  void SetFillColor(Color color);

protected:
  void restore_state() override;
  void appear(Appearance& out) const override;

private:
  Color fill_color_;
  const Color design_fill_color_;
};

// A box that shows a colour (its BackColor) or holds controls. No picture is drawn.
class PictureBox : public Control, public Container {
public:
  PictureBox(Container& parent, Id id, Look look = {});

  Form& OwnerForm() override { return Control::OwnerForm(); }
  bool Reachable() const override { return Control::Reachable(); }

  Event Click;
  Event DblClick;

protected:
  std::string perform(const UserAction& action) override;
  void restore_state() override {}
  void appear(Appearance& out) const override;
};

} // namespace forms
