#pragma once

#include <optional>
#include <string_view>

#include "routing/route_directions.h"

namespace corvane {

struct RouteTotals {
  float primary = 0;   // the sum of the leg costs: distance (shortest) or minutes (fastest)
  float secondary = 0; // the other quantity
};

// Where the legs of the route tool and of the gazetteer route differ.
struct LegRules {
  // The route tool skips a leg whose two stops are one node; the gazetteer solves it (an empty
  // path of cost 0).
  bool skip_equal_stops = true;
  // The warning shown when a leg can only be solved to the reached node nearest to its stop.
  std::string_view partial_text =
      "From and To Points Are Not Connected. Calculating To The Possible Extent";
  // The critical box shown when a leg cannot be solved even to that node.
  std::string_view abort_text = "From and to points are not connected. Aborting";
  std::string_view abort_title = "Error";
};

// Solves the legs between the stops gStopNodes rows 0 .. last_stop in order. Each leg
// either builds its direction rows (with `directions`) or marks its links in "CV_RESULT".
//
// A stop that cannot be reached is replaced, after the rules' partial text, by the reached node
// nearest to it (the engine's GetLastReachedNode): the leg ends as close to the stop as the
// network allows, and the next leg starts from there. Nothing comes back, after its message, when
// even that fails (the rules' abort box) or the engine fails otherwise (its error text).
std::optional<RouteTotals> SolveRouteLegs(tamix::NetCalc& calc, std::int32_t last_stop,
                                          RouteDirections* directions, const LegRules& rules = {});

} // namespace corvane
