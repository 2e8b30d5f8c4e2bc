#pragma once

// The textbook Dijkstra every engine figure is measured against: adjacency lists, a binary heap
// with lazy deletion (std::priority_queue) and a distance array initialised per query.

#include "costs.h"
#include "network.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tamix::bench {

class ReferenceDijkstra {
public:
  ReferenceDijkstra(const Network& network, const ArcCosts& costs);

  // Distances from `source`; stops when `target` is settled (no_node: settle everything).
  // Returns the number of nodes settled.
  std::size_t run(NodeId source, NodeId target = no_node);
  double distance(NodeId node) const { return distance_[node]; }

private:
  std::vector<std::vector<std::pair<NodeId, double>>> adjacent_;
  std::vector<double> distance_;
};

} // namespace tamix::bench
