#include "isochrones/click_run.h"

#include <exception>

#include "common/stamp_network_edited.h"
#include "network/state/handler_end.h"

namespace corvane {

ClickRun::ClickRun(Pointer pointer) : exceptions_at_start_(std::uncaught_exceptions()) {
  if (pointer == Pointer::BusyNow)
    busy();
}

void ClickRun::busy() {
  if (!pointer_)
    pointer_.emplace();
}

ClickRun::~ClickRun() {
  pointer_.reset();
  try {
    if (stamp_ || std::uncaught_exceptions() > exceptions_at_start_)
      StampNetworkEdited();
  } catch (...) {
    // The stamp only renews the file's date; a click whose stamp fails has still run.
  }
}

} // namespace corvane
