#pragma once

#include "isochrones/batch_iso_run.h"

namespace corvane {

// Zone polygons around every point as "BatchIsochrone", one colour per zone limit. With overlap
// (Overlap::Allowed) each point gets an engine run of its own, its zones carrying the point's id
// in "ID" and its label value; without, one run takes every point as a centre and its zones
// are copied as the engine wrote them. Cut to the clip layer when clipping is on. True when the
// run goes on to its common end.
bool BatchZonePolygons(BatchIsoRun& run);

} // namespace corvane
