#pragma once

#include <cstdint>
#include <string_view>

#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// Stop labels of the route tools: text graphics ("Start", "End", the stop number of a via stop)
// in blue, bold, size 10, found again by their text.

// Places a label showing `text` at `point` among the map's graphics.
void AddStopLabel(host::HostMap* map, host::HostPoint* point, std::string_view text);

// Deletes every text graphic that reads "Start" or "End", or a stop number from 1 up to the
// larger of `route_stops` and `multi_stops` (the labels of the route tool and of the tools with
// several centres). Other graphics stay.
void ClearStopLabels(host::HostMap* map, std::int32_t route_stops, std::int32_t multi_stops);

// Deletes every text graphic that reads "Start" or "End".
void ClearStartEndLabels(host::HostMap* map);

} // namespace corvane
