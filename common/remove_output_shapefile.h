#pragma once

#include <string_view>

#include "host/active_view.h"
#include "host/map.h"

namespace corvane {

// Removes an output of the add-in that is replaced on every run: every polyline layer of the
// network folder named `name` leaves the map (the view is redrawn), then the set "`name`" of the
// network folder is deleted (see DeleteNetworkShapefile). A set that is not the system's own
// output stays, with its layers, and the handler ends.
void RemoveOutputShapefile(host::HostMap* map, host::HostActiveView* view, std::string_view name);

// The same for a point output (the node layers).
void RemovePointOutput(host::HostMap* map, host::HostActiveView* view, std::string_view name);

// The same for a polygon output (the zone polygons and their temporaries), without a redraw.
void RemovePolygonOutput(host::HostMap* map, std::string_view name);

// Moves the network layer to the top of the map, above the zones drawn under it.
void MoveNetworkLayerToTop(host::HostMap* map);

} // namespace corvane
