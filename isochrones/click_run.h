#pragma once

#include <optional>

#include "common/busy_pointer.h"

namespace corvane {

// The part of an isochrone tool's click after its pre-check: the host's pointer shows busy
// while it calculates, and when the click ends, by its last step or by a failing host or engine
// call, the pointer is set back and the settings file is stamped (the engine may have written
// the network layer's table), unless the run said it wrote nothing. The pointer turns busy at
// once, or only at busy() for a click that first collects centres or asks the user.
class ClickRun {
public:
  enum class Pointer { BusyNow, BusyLater };
  explicit ClickRun(Pointer pointer = Pointer::BusyNow);
  ~ClickRun();
  ClickRun(const ClickRun&) = delete;
  ClickRun& operator=(const ClickRun&) = delete;

  void busy();
  // The run ends without a result: the pointer is set back, nothing is stamped. A failure
  // after this still stamps.
  void end_without_result() { stamp_ = false; }

private:
  std::optional<BusyPointer> pointer_;
  bool stamp_ = true;
  int exceptions_at_start_;
};

} // namespace corvane
