#include "isochrones/click_run.h"

#include <exception>

#include "common/stamp_network_edited.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

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
    // A failed click is told once, by the failure that ended it: a stamp that cannot be
    // written either (a folder that cannot be written, a full disk) adds no box of its own.
    if (std::uncaught_exceptions() > exceptions_at_start_)
      settings::commit(NetworkIniFile(shared_state().gNetworkFolder), NetworkEditedStamp());
    else if (stamp_)
      StampNetworkEdited();
  } catch (...) {
    // The stamp only renews the file's date; a click whose stamp fails has still run.
  }
}

} // namespace corvane
