#pragma once

#include "com/unknown.h"
#include "host/active_view.h"
#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// The map point under the screen pixel (x, y) of a mouse event, through the view's display
// transformation, in the map's spatial reference. A failing host call ends the handler.
com::ComPtr<host::HostPoint> ClickMapPoint(host::HostMap* map, host::HostActiveView* view, long x,
                                           long y);

} // namespace corvane
