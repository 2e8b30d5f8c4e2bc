#include "common/batch_progress.h"

#include <string>

#include "com/numbers.h"
#include "network/state/handler_end.h"

namespace corvane {

BatchProgress::BatchProgress(std::string_view title, std::int32_t from_count)
    : from_count_(from_count), tracker_(create<host::HostCancelTracker>(host::CancelTrackerClass)) {
  const auto factory = create<host::HostProgressDialogFactory>(host::ProgressDialogFactoryClass);
  bar_ = require(factory->Create(tracker_.get(), 0), "ProgressDialogFactory.Create");
  dialog_ = require_as<host::HostProgressDialog>(bar_, "StepProgressor as ProgressDialog");
  dialog_->SetCancelEnabled(true);
  dialog_->SetTitle(std::string(title));
  dialog_->SetAnimation(0);
  // One step per from-point, so that the bar is full when the last one is done (a range of
  // from-points times to-points would never fill, and overflows for large layers).
  bar_->SetMinRange(0);
  bar_->SetMaxRange(from_count);
  bar_->SetStepValue(1);
}

BatchProgress::~BatchProgress() {
  hide();
}

double progress_percent(std::int32_t index, std::int32_t count) {
  return count > 1 ? com::round_half_even(index * 100.0 / (count - 1)) : 100.0;
}

bool BatchProgress::from_point(std::int32_t index) {
  bar_->SetMessage(com::number_text(progress_percent(index, from_count_), com::double_digits) +
                   " %  Press 'Esc' To Cancel");
  const bool go_on = tracker_->Continue();
  bar_->Step();
  return go_on;
}

void BatchProgress::hide() {
  bar_->Hide();
  dialog_->HideDialog();
}

} // namespace corvane
