#pragma once

#include "com/object.h"
#include "forms/message_box.h"

namespace forms {

class IForm;

// The person at the screen, implemented by the program that hosts the dialogs (the session
// runner, or a test). Dialog code never calls it directly: Form::Show, MsgBox, DoEvents
// and escape_pressed do. Its members must not throw.
struct User : com::IUnknown {
  COM_INTERFACE(User, com::IUnknown, "9677FD85-102D-4356-9998-FAF915C5BC2D")
  // A form became visible; the person sees its caption.
  virtual void FormShown(IForm& form, bool modal) = 0;
  // The person works a modally shown form and returns when done with it. A form still
  // visible then is closed as by its window frame, so a modal show always ends.
  virtual void WorkModal(IForm& form) = 0;
  // The person closed a form by its window frame.
  virtual void FormClosedByFrame(IForm& form) = 0;
  // The mouse pointer over a visible form changed (IForm::ShownPointer).
  virtual void PointerChanged(IForm& form) = 0;
  // The form's code gave another control of a shown form the keyboard focus
  // (IForm::FocusedControl). A person who does not follow the focus ignores it.
  virtual void FocusChanged(IForm& form) { (void)form; }
  // The person reads a message box and presses one of its buttons.
  virtual Answer MessageBox(const Message& message) = 0;
  // True once for each Esc key the person pressed during a long operation.
  virtual bool EscapePressed() = 0;
};

// The user of the whole process, shared by every module that shows dialogs (the host and
// the add-in each link this library). Null until a program installs one.
void set_user(com::ComPtr<User> user);
com::ComPtr<User> current_user();

// Yields to the message loop: the person's pending input is taken in. An Esc key pressed
// for a running operation then shows in escape_pressed().
void DoEvents();

// True when the person pressed Esc since the last time this answered true.
bool escape_pressed();

} // namespace forms
