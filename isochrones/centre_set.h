#pragma once

#include <cstdint>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/map.h"
#include "host/spatial_reference.h"

namespace corvane {

// The Enabled rule of the multi-centre tools: a network is loaded; once none is, the set of
// centres left open (`centre_set_open`) is dropped.
bool network_loaded_or_drop_centres(std::int32_t& centre_set_open);

// The centre a click picks: the network node nearest to the click point (in network
// coordinates) and that node's point in `reference`, where its label goes.
struct ClickedCentre {
  std::int32_t node = 0;
  com::ComPtr<host::HostPoint> point;
};
ClickedCentre CentreOfClick(host::HostPoint& click, host::HostSpatialReference* reference);

// True when the shared lists hold room for one more centre (gStopNodes) and its label
// (gMarkerLabels); otherwise tells the user, and nothing is placed or stored.
bool RoomForAnotherCentre();

} // namespace corvane
