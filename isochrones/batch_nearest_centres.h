#pragma once

#include "isochrones/batch_iso_run.h"

namespace corvane {

// The nearest-centre zones of every point as "BatchIsochrone": one polygon per point (its stop
// number in "ID"), carrying the point's label value in a copy of the label field, one colour
// per zone labelled by the points' label texts ("Zone k" without a label field). Cut to the
// clip layer when clipping is on; the engine's zones before the cut stay as "BatchIsochrone2".
// True when the run goes on to its common end.
bool BatchNearestCentres(BatchIsoRun& run);

} // namespace corvane
