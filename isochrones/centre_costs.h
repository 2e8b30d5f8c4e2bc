#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/map.h"

namespace corvane {

// The network field that holds each link's cost from its nearest centre.
inline constexpr std::string_view CostField = "COST";

// True when the network layer has no field "COST" or one of numbers, which the engine can
// write. Otherwise the user is told which field stands in the way and why, before anything of
// the run has changed the layer or the map: false.
bool CostFieldUsable(host::HostMap& map);

// Link isochrones from several centres at once, written into the network layer: one search
// from `centre_nodes` (stops 1 .. n, the zone list as breaks, cut off at gZoneMax); "CV_RESULT"
// gets each reached link's nearest centre, "COST" (added to the network layer when missing)
// the cost from that centre, and both 0 on every link no centre reaches, so no value of an
// earlier run is left. The result table is named on "CV_RESULT" again afterwards. The engine
// set-up of the run must have been sent. A failing host call ends the handler; a "COST" the
// host could not add, or costs the engine could not write, are told to the user: false.
bool SolveCentresIntoNetwork(host::HostMap& map, const std::vector<std::int32_t>& centre_nodes);

} // namespace corvane
