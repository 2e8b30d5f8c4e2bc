#pragma once

#include "com/unknown.h"
#include "host/mouse_cursor.h"

namespace corvane {

// The busy mouse pointer while a command works, back to the default on every way out (or at
// reset(), once the user is to read the result).
class BusyPointer {
public:
  explicit BusyPointer(bool busy = true);
  ~BusyPointer() { reset(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  void reset();

private:
  com::ComPtr<host::HostMouseCursor> cursor_;
};

} // namespace corvane
