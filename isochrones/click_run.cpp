#include "isochrones/click_run.h"

#include "common/handler_end.h"
#include "common/stamp_network_edited.h"

namespace corvane {

namespace {

constexpr int busy_pointer = 2;
constexpr int default_pointer = 0;

} // namespace

ClickRun::ClickRun() : cursor_(create<host::HostMouseCursor>(host::MouseCursorClass)) {
  cursor_->SetCursor(busy_pointer);
}

ClickRun::~ClickRun() {
  cursor_->SetCursor(default_pointer);
  try {
    if (stamp_)
      StampNetworkEdited();
  } catch (...) {
    // The stamp only renews the file's date; a click whose stamp fails has still run.
  }
}

} // namespace corvane
