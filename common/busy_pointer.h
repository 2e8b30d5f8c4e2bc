#pragma once

#include "com/unknown.h"
#include "host/mouse_cursor.h"

namespace corvane {

// The busy mouse pointer (code 2) while a command works, back to the default (code 0) when
// reset or on every way out of the command, a failure included.
class BusyPointer {
public:
  // `busy` false: a pointer that changes nothing.
  explicit BusyPointer(bool busy = true);
  ~BusyPointer() { reset(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  // The default pointer from here on, before the user reads what the command shows.
  void reset();

private:
  com::ComPtr<host::HostMouseCursor> cursor_;
};

} // namespace corvane
