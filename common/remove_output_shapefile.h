#pragma once

#include <string_view>

#include "host/active_view.h"
#include "host/map.h"

namespace corvane {

// Removes an output of the add-in that is replaced on every run: every polyline layer of the
// network folder named `name` leaves the map (the view is redrawn), then "`name`.shp" of the
// network folder is deleted. A shapefile that cannot be opened is left alone without an error.
void RemoveOutputShapefile(host::HostMap* map, host::HostActiveView* view, std::string_view name);

} // namespace corvane
