#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/document.h"
#include "host/map.h"

namespace corvane {

// The break list of the link cost bands: row 0 is 0.001 (the class of links at no cost or not
// reached), row i the limit of zone i, for the zones 1 .. gZoneCount.
std::vector<float> LinkZoneBreaks();

// Draws the network layer in cost bands of the numeric `field` ("CV_RESULT" or "COST"): a thin
// light-blue class for values up to 0.001, then one class per zone, up to zone i's limit, 3
// points wide along a ramp from light lilac to deep indigo, labelled "0 - 5 Minutes",
// "5-10 Minutes", ... (gDistUnits in place of "Minutes" for the shortest route type; no labels
// for another route type). `breaks` holds rows 0 .. `count` as LinkZoneBreaks gives them.
// A failing host call (the layer not in the map) ends the handler.
void RenderLinkCostRamp(host::HostDocument* document, host::HostMap* map, std::string_view field,
                        const std::vector<float>& breaks, std::int32_t count);

// The same cost bands for a zone polygon layer of the network folder (`layer_name`, kind "PG")
// on "COST_END": no class for unreached values, one fill per zone, up to `limits`[i] for class
// i (rows 0 .. `count` - 1), along a ramp from light lilac to pink, labelled "0-5 Minutes",
// "5-10 Minutes", ... A failing host call (the layer not in the map, a `count` below 1 or above the
// limits) ends the handler.
void RenderZoneCostRamp(host::HostDocument* document, host::HostMap* map,
                        std::string_view layer_name, const std::vector<float>& limits,
                        std::int32_t count);

} // namespace corvane
