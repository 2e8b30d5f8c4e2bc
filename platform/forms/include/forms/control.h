#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace forms {

class Form;
class Control;

// A run-time error of the platform (an invalid property value, a form shown modally while it
// is already shown). Code that expects one catches it; otherwise it ends the running handler.
class Error : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Colours as the platform keeps them: red + green * 256 + blue * 65536. The two system
// colours are the defaults of a new control.
using Color = long;
constexpr Color Rgb(int red, int green, int blue) {
  return red + green * 256L + blue * 65536L;
}
inline constexpr Color ButtonFace = 0x8000000FL;
// The text colour of a highlighted item, which dialogs also give a box the user may fill in.
inline constexpr Color HighlightText = 0x8000000EL;
inline constexpr Color ButtonText = 0x80000012L;

using Event = std::function<void()>;
// KeyDown / KeyUp: the key code (13 Enter, 27 Esc, ...) and the shift mask (1 Shift, 2 Ctrl,
// 4 Alt); a handler may set the code to 0 to swallow the key.
using KeyCodeEvent = std::function<void(int& KeyCode, int Shift)>;
inline constexpr int EnterKey = 13;
// KeyPress: the character typed; a handler may set it to 0 to swallow it.
using KeyAsciiEvent = std::function<void(int& KeyAscii)>;

// MouseMove: the buttons held, the shift mask and the position over the control.
using MouseEvent = std::function<void(int Button, int Shift, float X, float Y)>;

inline void raise(const Event& event) {
  if (event)
    event();
}

// The designed values every control has. Positions and sizes (twips) are kept as data: no
// window is drawn.
struct Look {
  bool Enabled = true;
  bool Visible = true;
  Color BackColor = ButtonFace;
  Color ForeColor = ButtonText;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// What a person sees of a control: its kind ("button", "option", "check", "label", "frame",
// "text", "list", "combo", "shape", "picture", "progress", "slider") and what it shows. Only
// what the kind has is set.
struct Appearance {
  std::string kind = "control";
  std::optional<std::string> caption;
  std::optional<std::string> text;  // typed or chosen: a text box, a combo box, a list's choice
  std::optional<double> value;      // option 0/1, check box 0..2, a range control's value
  std::optional<double> min, max;   // a range control's bounds
  std::optional<Color> colour;      // a shape's fill, a picture box's back colour
  std::vector<std::string> items;   // a list's or combo box's items
  bool enabled = true;
  bool visible = true;
};

// A control's name, with its index when it is an element of a control array.
struct Id {
  Id(const char* name) : name(name) {}
  Id(std::string name) : name(std::move(name)) {}
  Id(std::string name, int index) : name(std::move(name)), index(index) {}
  std::string name;
  int index = -1;
};

// What a person does to a control.
enum class Gesture { Set, Select, Check, Click, DoubleClick, Key, Hover };
struct UserAction {
  Gesture gesture;
  std::string value; // the text or value set, the item ("#2" for a position), "0"/"1", a key code
};
std::string_view name_of(Gesture gesture);

// Holds controls: the form itself, a frame, a picture box. Option buttons with the same
// container form one group.
class Container {
public:
  Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;

  virtual Form& OwnerForm() = 0;
  // The person can reach what it holds: it and its own containers are enabled and visible.
  virtual bool Reachable() const = 0;
  const std::vector<Control*>& Children() const { return children_; }

protected:
  virtual ~Container() = default;

private:
  friend class Control;
  std::vector<Control*> children_;
};

// Base of every control. Controls are members of their form (or elements of a control array)
// and register with it when constructed; the values given at construction are the design
// state that an unload brings back. Reading or writing a property loads the form first, as
// on the platform, so Form_Load runs before any caller touches a control.
class Control {
public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  // Position in its control array, or -1 for a single control.
  int Index() const { return index_; }
  Container& Parent() const { return parent_; }
  Form& OwnerForm() const { return parent_.OwnerForm(); }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  Color BackColor() const;
  void SetBackColor(Color color);
  Color ForeColor() const;
  void SetForeColor(Color color);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void Move(int left, int top, int width, int height);

  // Enabled and visible, and so are all its containers.
  bool Reachable() const;

  // Gives the control the keyboard focus (Form::ActiveControl). Error when the form is not
  // shown or the control is out of reach, as on the platform.
  void SetFocus();

  // Carries out a person's gesture and fires the events the platform fires for it. Returns
  // the empty text when done, otherwise why it could not be done (the control is out of
  // reach, does not take the gesture, or a handler failed).
  std::string Perform(const UserAction& action);

  // Back to the design state (the form was unloaded).
  void RestoreDesign();

  // What the control shows now, read without loading its form: a form that was never loaded
  // shows its design.
  Appearance Appear() const;
  // "Name", or "Name(index)" for an element of a control array.
  std::string FullName() const;

  // The mouse moved over the control (a person's Hover gesture).
  MouseEvent MouseMove;

protected:
  Control(Container& parent, Id id, Look look);
  virtual ~Control();

  // Loads the owning form when it is not loaded yet.
  void touch() const;
  // The gesture itself; the caller has checked that the control is reachable.
  virtual std::string perform(const UserAction& action);
  virtual void restore_state() = 0;
  // Fills in what the kind shows beyond Enabled and Visible.
  virtual void appear(Appearance& out) const = 0;
  // The look as it is now, without loading the form.
  const Look& look() const { return look_; }
  std::string refusal(const UserAction& action) const;

private:
  Container& parent_;
  std::string name_;
  int index_;
  Look look_;
  const Look design_;
};

// A control with a caption (buttons, options, check boxes, labels, frames).
class CaptionedControl : public Control {
public:
  std::string Caption() const;
  void SetCaption(std::string caption);

protected:
  CaptionedControl(Container& parent, Id id, std::string caption, Look look);
  // Subclasses that keep more state restore it and then call this.
  void restore_state() override;
  // Subclasses set the kind (and what else they show) after calling this.
  void appear(Appearance& out) const override;

private:
  std::string caption_;
  const std::string design_caption_;
};

// Key events shared by the controls that take the keyboard focus (text box, list and combo).
class KeyEvents {
public:
  KeyCodeEvent KeyDown;
  KeyAsciiEvent KeyPress;
  KeyCodeEvent KeyUp;

protected:
  // A person presses the key with this code (decimal text): KeyDown, then KeyPress for a key
  // that types a character (Enter, Esc, Backspace and the printable ones), then KeyUp.
  // Returns why not when the text is no key code.
  std::string press_key(std::string_view key_code);
};

} // namespace forms
