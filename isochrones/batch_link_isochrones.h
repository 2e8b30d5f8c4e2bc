#pragma once

#include "isochrones/batch_iso_run.h"

namespace corvane {

// Link isochrones from every point at once, on the network layer itself: "CV_RESULT" gets each
// reached link's nearest point (its stop number), "COST" (added when missing) the cost from
// that point, 0 on every link no point reaches within the largest zone. With more than one
// zone the layer is drawn by the legend the user chooses: cost bands or one colour per point.
// True when the run goes on to its common end.
bool BatchLinkIsochrones(BatchIsoRun& run);

} // namespace corvane
