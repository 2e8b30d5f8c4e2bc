#pragma once

#include <cstdint>

#include "common/bounded_table.h"
#include "host/map.h"

namespace corvane {

// The numbered labels of the tools with several stops or centres are text graphics, found again
// by their text: "Start" and "End" of the route tools, "1" for a first centre, and a blank
// followed by the number k of every later one (" 2", " 3", ...).

// One walk over the map's graphics deleting every text graphic that reads "Start" or "End",
// a blank and a number from 1 to `highest`, or (when `with_one`) "1". Other graphics stay.
void DeleteStopLabels(host::HostMap* map, std::int32_t highest, bool with_one = true);

// Deletes the graphic of each label text in rows 0 .. `count` of `labels` (the first text
// graphic that reads it) and marks the row "0". Rows beyond the table's bound are not
// reached for; a row whose graphic is gone stays as it is.
void DeleteMarkerLabels(host::HostMap* map, BoundedTable<std::string>& labels, std::int32_t count);

} // namespace corvane
