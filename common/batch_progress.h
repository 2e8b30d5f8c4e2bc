#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"
#include "host/progress.h"

namespace corvane {

// How far a run is before the pairs of from-point `index` of `count`, in whole percent: the
// first point shows 0 and the last 100; a layer of one point shows 100 (no division by zero).
double progress_percent(std::int32_t index, std::int32_t count);

// The progress dialog of a batch run, titled by the command, which Esc cancels. It goes away
// when the object does, however the run ends.
class BatchProgress {
public:
  // The bar counts the `from_count` points the run goes through one after the other (the
  // from-points of the batch route).
  BatchProgress(std::string_view title, std::int32_t from_count);
  ~BatchProgress();
  BatchProgress(const BatchProgress&) = delete;
  BatchProgress& operator=(const BatchProgress&) = delete;

  // Before the work of point `index` (the pairs of a from-point): shows how far the run is ("50 %
  // Press 'Esc' To Cancel"), advances the bar and tells whether to go on. A layer of one point
  // shows 100 %.
  bool from_point(std::int32_t index);
  // False once the user has pressed Esc.
  bool carry_on() { return tracker_->Continue(); }

  void hide();

private:
  std::int32_t from_count_;
  com::ComPtr<host::HostCancelTracker> tracker_;
  com::ComPtr<host::HostStepProgressor> bar_;
  com::ComPtr<host::HostProgressDialog> dialog_;
};

} // namespace corvane
