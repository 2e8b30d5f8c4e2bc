#include "common/busy_pointer.h"

#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr int BusyPointerCode = 2;
constexpr int DefaultPointerCode = 0;

} // namespace

void SetDefaultPointer() {
  create<host::HostMouseCursor>(host::MouseCursorClass)->SetCursor(DefaultPointerCode);
}

BusyPointer::BusyPointer(bool busy) {
  if (!busy)
    return;
  cursor_ = create<host::HostMouseCursor>(host::MouseCursorClass);
  cursor_->SetCursor(BusyPointerCode);
}

void BusyPointer::reset() {
  if (cursor_)
    cursor_->SetCursor(DefaultPointerCode);
  cursor_ = nullptr;
}

} // namespace corvane
