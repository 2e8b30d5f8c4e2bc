#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/geometry.h"
#include "host/map.h"
#include "network/state/bounded_table.h"

namespace corvane {

// The stop and centre labels of the tools are text graphics, found again by their text. The
// route and tour tools write "Start", "End" and the number of a stop in plain digits ("2",
// "3"); the tools with several centres write "1" for the first centre and a blank before the
// number of every later one (" 2", " 3"), as the settings files write numbers. Each tool clears
// the labels in the form it writes them and leaves the other form alone, so a user's own text
// graphic that happens to read " 2" survives a route, and one reading "2" survives an isochrone.
enum class StopNumbers { Plain, BlankLed };

// Places a stop label showing `text` at `point` among the map's graphics: blue, bold, size 10.
void AddStopLabel(host::HostMap* map, host::HostPoint* point, std::string_view text);

// True when `text` is a stop label of the form `numbers` for up to `highest` stops: "Start",
// "End", "1", or a number k from 1 to `highest` in that form (decimal digits, no leading zero).
bool IsStopLabel(std::string_view text, StopNumbers numbers, std::int32_t highest);

// One walk over the map's graphics deleting every stop label of the form `numbers` for up to
// `route_stops` route stops and `multi_stops` centres. Other graphics, and text graphics with
// other texts, stay.
void DeleteStopLabels(host::HostMap* map, StopNumbers numbers, std::int32_t route_stops,
                      std::int32_t multi_stops);

// Deletes every text graphic that reads "Start" or "End".
void DeleteStartEndLabels(host::HostMap* map);

// Deletes the graphic of each label text in rows 0 .. `count` of `labels` (the first text
// graphic that reads it, the view refreshed after each) and marks the row "0". Rows beyond the
// table's bound are not reached for; a row whose graphic is gone stays as it is.
void DeleteMarkerLabels(host::HostMap* map, BoundedTable<std::string>& labels, std::int32_t count);

} // namespace corvane
