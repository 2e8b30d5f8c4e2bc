#pragma once

#include <cstdint>
#include <optional>

#include "com/unknown.h"
#include "host/document.h"
#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// A map tool's click snapped to the network: the nearest node and where that node lies.
struct SnappedClick {
  std::int32_t node = 0;
  double x = 0; // the node's coordinates, as the engine reports them
  double y = 0;
  // The node's position in the network layer's coordinate system: stops are marked and labelled
  // on the network, not where the user clicked.
  com::ComPtr<host::HostPoint> node_point;
};

// Turns the screen pixel (x, y) of the document's active view into a map point, projects it into
// the network layer's coordinates and snaps it to the nearest node (SnapToNetworkNode: the
// engine's codes go to gEngineResult). Nothing when the engine refused; the user has been told.
// The network layer must be in `map`; a failing host call ends the handler.
std::optional<SnappedClick> SnapClickToNetwork(host::HostDocument* document, host::HostMap* map,
                                               long x, long y);

} // namespace corvane
