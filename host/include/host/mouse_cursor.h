#pragma once

#include <string_view>

#include "com/unknown.h"

namespace host {

// The mouse pointer over the host's windows: 0 default, 2 busy, 11 hourglass, ...
// Every mouse-cursor object sets the one pointer of the application.
struct HostMouseCursor : com::IUnknown {
  COM_INTERFACE(HostMouseCursor, com::IUnknown, "A1DA1ECC-468D-4CE1-A41E-7EFC7CF3BB3E")
  virtual void SetCursor(int code) = 0;
  virtual int Cursor() = 0;
};

inline constexpr std::string_view MouseCursorClass = "esricore.MouseCursor";

} // namespace host
