#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"

namespace forms {

enum class ShowMode { Modeless = 0, Modal = 1 };

// Why a form is being unloaded, as QueryUnload receives it.
enum UnloadMode : int { FormControlMenu = 0, FormCode = 1 };

class ListBox;

// One control as a listing shows it: how deep it sits (1 for a control of the form itself, one
// more inside each frame or picture box) and what it shows.
struct ControlView {
  int depth = 1;
  std::string name;
  Appearance appearance;
};

// The mouse pointer over a form, by its code.
enum class Pointer : int {
  Default = 0,
  Arrow = 1,
  Cross = 2,
  IBeam = 3,
  Icon = 4,
  Size = 5,
  SizeNESW = 6,
  SizeNS = 7,
  SizeNWSE = 8,
  SizeWE = 9,
  UpArrow = 10,
  Hourglass = 11,
  NoDrop = 12,
  ArrowHourglass = 13,
  ArrowQuestion = 14,
  SizeAll = 15,
  Custom = 99,
};

// "default", "hourglass", "arrow-hourglass", ...; the code in decimal for a code of no name.
std::string name_of(Pointer pointer);

struct FormLook {
  std::string Caption;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  forms::Pointer MousePointer = Pointer::Default;
};

// The person's side of a form: what the session runner or a test sees and does. A form's
// members are called only while the form is alive; none of them throws.
class IForm {
public:
  virtual std::string_view FormName() const = 0;
  virtual std::string ShownCaption() const = 0;
  virtual bool Showing() const = 0;
  // The pointer over the form as the person sees it.
  virtual Pointer ShownPointer() const = 0;
  // "Name" or "Name(index)" of the control that has the keyboard focus, or the empty text
  // when the form's code gave none the focus since the form was shown.
  virtual std::string FocusedControl() const = 0;
  // A gesture on the control named "Name" or "Name(index)", or a hover over the form itself
  // when the name is the form's. Returns the empty text when done, otherwise why not.
  virtual std::string Perform(std::string_view control, const UserAction& action) = 0;
  // The window frame's close box: QueryUnload (FormControlMenu), then Unload, either of
  // which may cancel. Returns the empty text, or why a handler failed.
  virtual std::string CloseByFrame() = 0;
  // Every control as it is now, each container before what it holds, in design order. It
  // does not load the form: a form never loaded shows its design.
  virtual std::vector<ControlView> DescribeControls() const = 0;
  // The lines of the form's problem list (the problems a run met, shown at its end, which a
  // person reads one by one); empty for a form that has none or is not loaded.
  virtual std::vector<std::string> ListedProblems() const = 0;

protected:
  ~IForm() = default;
};

// A dialog: a class whose members are its controls and whose event handlers are methods.
//   class FrmAlias : public forms::Form {
//   public:
//     FrmAlias() : Form("FrmAlias", {.Caption = "Alias"}) { CmdOk.Click = [this] { ... }; }
//     forms::Frame Frame1{*this, "Frame1", "Description"};
//     forms::TextBox Text1{Frame1, "Text1"};
//     forms::CommandButton CmdOk{*this, "CmdOk", "&OK"};
//   };
// A form is loaded at its first touch (Show, Load, or any property of it or its controls)
// and Form_Load runs then. Unload brings the form and every control back to the state they
// were constructed with, so the next load starts from the design; variables of the form's
// own are the form's to reset in Form_Load.
class Form : public Container, public IForm {
public:
  explicit Form(std::string name, FormLook look = {});
  ~Form() override;

  const std::string& Name() const { return name_; }

  void Load();
  // Modal: shows the form, hands it to the user and returns once it is hidden (a form the
  // user leaves open is closed as by its frame). Error when the form is already shown.
  // Modeless: shows it and returns at once.
  void Show(ShowMode mode = ShowMode::Modeless);
  void Hide();
  // Returns false when QueryUnload or Unload cancelled.
  bool Unload();
  bool Loaded() const { return loaded_; }
  // Reading it does not load the form: an unloaded form is not visible.
  bool Visible() const { return visible_; }

  std::string Caption() const;
  void SetCaption(std::string caption);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void Move(int left, int top, int width, int height);
  // The pointer over the form; a change of it on a visible form is seen by the user.
  Pointer MousePointer() const;
  void SetMousePointer(Pointer pointer);

  // The control to which the form's code last gave the focus (Control::SetFocus) while the form
  // was shown; null when none has it. A form that is hidden or unloaded forgets it. The person's
  // gestures name their control and do not move it.
  const Control* ActiveControl() const { return focused_; }

  // The control with this name (and index, for an element of a control array); null if none.
  Control* FindControl(std::string_view name, int index = -1) const;

  Form& OwnerForm() override { return *this; }
  bool Reachable() const override { return visible_ && look_enabled_; }

  std::string_view FormName() const override { return name_; }
  std::string ShownCaption() const override { return look_.Caption; }
  bool Showing() const override { return visible_; }
  Pointer ShownPointer() const override { return look_.MousePointer; }
  std::string FocusedControl() const override;
  std::string Perform(std::string_view control, const UserAction& action) override;
  std::string CloseByFrame() override;
  std::vector<ControlView> DescribeControls() const override;
  std::vector<std::string> ListedProblems() const override;

protected:
  // Makes `list` the form's problem list (see ListedProblems).
  void SetProblemList(const ListBox& list) { problem_list_ = &list; }

  virtual void Form_Load() {}
  // When the form is shown, and again when a modal form shown over it closes.
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)Cancel;
    (void)UnloadMode;
  }
  virtual void Form_Unload(int& Cancel) { (void)Cancel; }
  virtual void Form_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
  }

private:
  friend class Control;
  void adopt(Control* control);
  void forget(Control* control);
  bool unload(int mode);
  void close_by_frame();
  // Loads the form if needed; its controls call it on every touch of them.
  void touch() const;
  void show_modal();
  void activate();
  void stop_showing();
  // Control::SetFocus: the user sees a change of it.
  void focus(Control& control);

  std::string name_;
  FormLook look_;
  bool look_enabled_ = true;
  const FormLook design_;
  bool loaded_ = false;
  bool loading_ = false;
  bool visible_ = false;
  std::vector<Control*> controls_;
  Control* focused_ = nullptr;
  const ListBox* problem_list_ = nullptr;
};

} // namespace forms
