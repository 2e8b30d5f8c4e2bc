#pragma once

#include "com/unknown.h"
#include "host/mouse_cursor.h"

namespace corvane {

// The calculating part of an isochrone tool's click, after its pre-check: the host's pointer
// shows busy while it lasts, and when it ends, by its last step or by a failing host or engine
// call, the pointer is set back and the settings file is stamped (the engine may have written
// the network layer's table), unless the run said it wrote nothing.
class ClickRun {
public:
  ClickRun();
  ~ClickRun();
  ClickRun(const ClickRun&) = delete;
  ClickRun& operator=(const ClickRun&) = delete;

  // The run ends without a result: the pointer is set back, nothing is stamped.
  void end_without_result() { stamp_ = false; }

private:
  com::ComPtr<host::HostMouseCursor> cursor_;
  bool stamp_ = true;
};

} // namespace corvane
