#pragma once

// Nodes that lie closer together than a distance: likely gaps where two roads were meant to
// meet, or very short links. The search sorts the nodes into a grid of cells as wide as the
// distance, so each node is compared only with the nodes of its own and the eight cells
// around it: linear in the nodes for any sensible distance.

#include "network.h"

#include <vector>

namespace tamix {

struct CloseNode {
  NodeId node = no_node;
  // True when a link joins it to one of the nodes it is close to (a short real link rather
  // than a gap).
  bool connected = false;
  friend bool operator==(const CloseNode&, const CloseNode&) = default;
};

// Every node with another node at a straight-line distance below `distance` (layer
// coordinates), in node order. Raises out_of_bounds for a distance that is not a positive
// finite number.
std::vector<CloseNode> find_close_nodes(const Network& network, double distance);

} // namespace tamix
