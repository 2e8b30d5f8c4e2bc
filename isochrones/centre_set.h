#pragma once

#include <cstdint>

namespace corvane {

// The Enabled rule of the multi-centre tools: a network is loaded; once none is, the set of
// centres left open (`centre_set_open`) is dropped.
bool network_loaded_or_drop_centres(std::int32_t& centre_set_open);

// True when the shared lists hold room for one more centre (gStopNodes) and its label
// (gMarkerLabels); otherwise tells the user, and nothing is placed or stored.
bool RoomForAnotherCentre();

} // namespace corvane
