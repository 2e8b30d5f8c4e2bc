#pragma once

#include <cstdint>
#include <optional>

#include "com/unknown.h"
#include "host/active_view.h"
#include "host/document.h"
#include "host/geometry.h"
#include "host/map.h"
#include "host/spatial_reference.h"

namespace corvane {

// The map point under the screen pixel (x, y) of a mouse event, through the view's display
// transformation, in the map's spatial reference. A failing host call ends the handler.
com::ComPtr<host::HostPoint> ClickMapPoint(host::HostMap* map, host::HostActiveView* view, long x,
                                           long y);

// The same point of a click in the document's active view, taken into the network layer's
// `reference`. A failing host call ends the handler.
com::ComPtr<host::HostPoint> ClickInNetworkCoordinates(host::HostDocument* document,
                                                       host::HostMap* map,
                                                       host::HostSpatialReference* reference,
                                                       long x, long y);

// The network node nearest to a point in network coordinates, as the engine snaps it (the
// engine's code goes to gEngineResult). Nothing when the engine finds no node: the user has
// been told (NodeSearchSucceeded), and no centre is taken from a node it never gave.
std::optional<std::int32_t> NearestNode(host::HostPoint& point);

} // namespace corvane
