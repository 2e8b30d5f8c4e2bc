#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/bounded_table.h"
#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// The stop and centre labels of the tools are text graphics, found again by their text. The
// route tools write "Start", "End" and the number of a via stop in plain digits ("2", "3");
// the tools with several centres write "1" for the first centre and a blank before the number
// of every later one (" 2", " 3"), as the settings files write numbers. One rule serves every
// tool that clears them, so each removes the labels of the others too: a stop label reads
// "Start" or "End", or a number k in decimal digits (no leading zero), with or without one
// leading blank. "1" always counts; a larger k counts when k is at most the number of stops of
// either kind.

// Places a stop label showing `text` at `point` among the map's graphics: blue, bold, size 10.
void AddStopLabel(host::HostMap* map, host::HostPoint* point, std::string_view text);

// One walk over the map's graphics deleting every stop label for up to `route_stops` route
// stops and `multi_stops` centres. Other graphics, and text graphics with other texts, stay.
void DeleteStopLabels(host::HostMap* map, std::int32_t route_stops, std::int32_t multi_stops);

// Deletes every text graphic that reads "Start" or "End".
void DeleteStartEndLabels(host::HostMap* map);

// Deletes the graphic of each label text in rows 0 .. `count` of `labels` (the first text
// graphic that reads it, the view refreshed after each) and marks the row "0". Rows beyond the
// table's bound are not reached for; a row whose graphic is gone stays as it is.
void DeleteMarkerLabels(host::HostMap* map, BoundedTable<std::string>& labels, std::int32_t count);

} // namespace corvane
