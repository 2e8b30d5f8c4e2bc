#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/document.h"
#include "host/map.h"

namespace corvane {

// Renderers of a zone polygon layer of the network folder (found by FindLayerIndex, kind "PG"):
// a unique-value renderer with one class per zone, each a solid fill with an outline of the same
// colour, the colours drawn from a random ramp with a fixed seed so that the same number of
// classes is coloured alike in every run. Both end the handler when the layer is not in the map
// or a host call fails; the layer keeps its old drawing until the new renderer is complete.

// One class per distinct zone limit of `limits` (ascending), on "COST_END", labelled by its own
// limits: "0 - 0.5 Kilometers", "0.5 - 1.5 Kilometers", ... (gDistUnits for the shortest route
// type, "Minutes" otherwise).
void RenderZonesByCostEnd(host::HostDocument* document, host::HostMap* map,
                          std::string_view layer_name, const std::vector<float>& limits);

// One class per centre 1 .. `count`, on "ID", labelled "Zone 1", "Zone 2", ...
void RenderZonesById(host::HostDocument* document, host::HostMap* map, std::string_view layer_name,
                     std::int32_t count);

// One class per centre k = 1 .. labels.size(), on "ID", labelled labels[k - 1], under `heading`.
void RenderZonesById(host::HostDocument* document, host::HostMap* map, std::string_view layer_name,
                     const std::vector<std::string>& labels, std::string_view heading);

} // namespace corvane
