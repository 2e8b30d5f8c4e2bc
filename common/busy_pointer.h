#pragma once

#include "com/unknown.h"
#include "host/mouse_cursor.h"

namespace corvane {

// The host's busy mouse pointer while a command works, back to the default on every way out.
class BusyPointer {
public:
  // Without `busy` the pointer is left as it is.
  explicit BusyPointer(bool busy = true);
  ~BusyPointer() { reset(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  // The default pointer from now on (the user reads a result or a message).
  void reset();

private:
  com::ComPtr<host::HostMouseCursor> cursor_;
};

// The host's default mouse pointer, as a dialog sets it when it loads (the user may come to it
// from a command that was busy).
void SetDefaultPointer();

} // namespace corvane
