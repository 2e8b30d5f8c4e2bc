#pragma once

#include "host/active_view.h"
#include "host/map.h"

namespace corvane {

// Draws the map's top layer (the route or tour layer just added) with one solid line of width 2
// in the route colour (gRouteColorRed, gRouteColorGreen, gRouteColorBlue), then redraws the view.
// Every command that outputs a route or a tour draws it this way.
void ApplyRouteColor(host::HostMap* map, host::HostActiveView* view);

} // namespace corvane
