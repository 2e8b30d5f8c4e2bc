#pragma once

#include "network.h"

namespace tamix {

// The straight-line distance between two nodes in metres, on the sphere for geographic
// coordinates. Raises out_of_bounds for a network whose map unit has no known length.
double straight_line_metres(const Network& network, NodeId a, NodeId b);

} // namespace tamix
