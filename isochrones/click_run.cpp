#include "isochrones/click_run.h"

#include <exception>

#include "common/handler_end.h"
#include "common/stamp_network_edited.h"

namespace corvane {

namespace {

constexpr int busy_pointer = 2;
constexpr int default_pointer = 0;

} // namespace

ClickRun::ClickRun(Pointer pointer)
    : cursor_(create<host::HostMouseCursor>(host::MouseCursorClass)),
      exceptions_at_start_(std::uncaught_exceptions()) {
  if (pointer == Pointer::BusyNow)
    busy();
}

void ClickRun::busy() {
  cursor_->SetCursor(busy_pointer);
  busy_ = true;
}

ClickRun::~ClickRun() {
  if (busy_)
    cursor_->SetCursor(default_pointer);
  try {
    if (stamp_ || std::uncaught_exceptions() > exceptions_at_start_)
      StampNetworkEdited();
  } catch (...) {
    // The stamp only renews the file's date; a click whose stamp fails has still run.
  }
}

} // namespace corvane
