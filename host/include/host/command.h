#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"

namespace host {

// A command of an add-in: the host creates one object per ProgID, calls OnCreate once with
// the application, asks Enabled whenever it draws the command and calls OnClick when the user
// picks it. Every member returns a result code; a failure is the host's to report.
struct ICommand : com::IUnknown {
  COM_INTERFACE(ICommand, com::IUnknown, "97D286DD-7B22-4578-967B-EFD5A0AC78F3")
  static constexpr std::string_view interface_members =
      "Enabled: bool; Checked: bool; Name: string; Caption: string; Tooltip: string; "
      "Message: string; HelpFile: string; HelpContextID: long; Bitmap: handle; "
      "Category: string; OnCreate(hook: object); OnClick()";

  virtual com::HRESULT Enabled(bool* enabled) = 0;
  virtual com::HRESULT Checked(bool* checked) = 0;
  virtual com::HRESULT Name(std::string* name) = 0;
  virtual com::HRESULT Caption(std::string* caption) = 0;
  virtual com::HRESULT Tooltip(std::string* tooltip) = 0;
  virtual com::HRESULT Message(std::string* message) = 0;
  virtual com::HRESULT HelpFile(std::string* file) = 0;
  virtual com::HRESULT HelpContextID(long* id) = 0;
  // The handle of the command's picture.
  virtual com::HRESULT Bitmap(long* handle) = 0;
  virtual com::HRESULT Category(std::string* category) = 0;
  // The hook is the host application (HostApplication).
  virtual com::HRESULT OnCreate(com::IUnknown* hook) = 0;
  virtual com::HRESULT OnClick() = 0;
};

// Mouse buttons and the shift mask of the tool events.
enum ToolButton : long { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
enum ToolShift : long { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// A map tool, beside its ICommand: once the user made it the current tool (OnClick), the host
// hands it the mouse and keys over the map in screen pixels of the active view.
struct ITool : com::IUnknown {
  COM_INTERFACE(ITool, com::IUnknown, "CE128578-B3B2-4F42-ADF9-281BC745E51B")
  static constexpr std::string_view interface_members =
      "Cursor: handle; OnMouseDown(button, shift, x, y); OnMouseMove(button, shift, x, y); "
      "OnMouseUp(button, shift, x, y); OnDblClick(); OnKeyDown(keyCode, shift); "
      "OnKeyUp(keyCode, shift); OnContextMenu(x, y): bool; Refresh(hdc); Deactivate: bool";

  // 0 asks for the host's default cursor.
  virtual com::HRESULT Cursor(long* cursor) = 0;
  virtual com::HRESULT OnMouseDown(long button, long shift, long x, long y) = 0;
  virtual com::HRESULT OnMouseMove(long button, long shift, long x, long y) = 0;
  virtual com::HRESULT OnMouseUp(long button, long shift, long x, long y) = 0;
  virtual com::HRESULT OnDblClick() = 0;
  virtual com::HRESULT OnKeyDown(long key_code, long shift) = 0;
  virtual com::HRESULT OnKeyUp(long key_code, long shift) = 0;
  // *handled true when the tool showed a menu of its own.
  virtual com::HRESULT OnContextMenu(long x, long y, bool* handled) = 0;
  virtual com::HRESULT Refresh(long device_context) = 0;
  // *deactivated true when the tool lets another tool become current.
  virtual com::HRESULT Deactivate(bool* deactivated) = 0;
};

// The component category under which add-ins register their commands and tools.
inline constexpr std::string_view CommandsCategory = "Host Commands";

} // namespace host
