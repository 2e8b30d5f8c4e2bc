#pragma once

#include <optional>

#include "routing/route_directions.h"

namespace corvane {

struct RouteTotals {
  float primary = 0;   // the sum of the leg costs: distance (shortest) or minutes (fastest)
  float secondary = 0; // the other quantity
};

// Solves the legs between the stops gStopNodes rows 0 .. gRouteStopCount in order, skipping a
// leg whose two stops are one node. Each leg either builds its direction rows (with
// `directions`) or marks its links in "CV_RESULT".
//
// A stop that cannot be reached is replaced by the farthest node reached, after the warning
// "From and To Points Are Not Connected. Calculating To The Possible Extent"; the next leg
// starts from there. Nothing comes back, after its message, when even that fails ("From and to
// points are not connected. Aborting") or the engine fails otherwise (its error text).
std::optional<RouteTotals> SolveRouteLegs(tamix::NetCalc& calc, RouteDirections* directions);

} // namespace corvane
