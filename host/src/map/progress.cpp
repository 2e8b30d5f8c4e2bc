#include "map/progress.h"

#include <algorithm>

#include "map/user_services.h"

namespace host {

bool CancelTracker::Continue() {
  if (cancel_on_key_ && !cancelled_ && user_sink() && user_sink()->take_escape())
    cancelled_ = true;
  return !cancelled_;
}

void ProgressDialog::SetMinRange(int value) {
  min_ = value;
  SetPosition(position_);
}

void ProgressDialog::SetMaxRange(int value) {
  max_ = value;
  SetPosition(position_);
}

void ProgressDialog::SetPosition(int value) {
  position_ = max_ >= min_ ? std::clamp(value, min_, max_) : min_;
}

com::ComPtr<HostStepProgressor> ProgressDialogFactory::Create(HostCancelTracker* tracker, long) {
  auto dialog = com::make<ProgressDialog>();
  dialog->SetCancelEnabled(tracker != nullptr);
  return dialog;
}

} // namespace host
