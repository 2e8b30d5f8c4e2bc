#pragma once

#include <cstdint>
#include <string_view>

#include "host/document.h"
#include "host/map.h"

namespace corvane {

// Draws the network layer by nearest centre, read from "CV_RESULT" as the multi-centre run
// leaves it: one class per value 0 .. `centres` under `heading`, "Point k" 3 points wide in a
// colour of a seeded random ramp (the same centres get the same colours in every run), and
// links of no centre (0) as thin light-blue lines without a label. The layer is found the way
// every other step finds it (FindLayerIndex), so a layer renamed in the map is still drawn.
// A failing host call ends the handler.
void RenderNearestPoint(host::HostDocument* document, host::HostMap* map, std::string_view heading,
                        std::int32_t centres);

} // namespace corvane
