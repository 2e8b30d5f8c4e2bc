#pragma once

// The textbook Dijkstra every engine figure is measured against: adjacency lists, a binary heap
// with lazy deletion (std::priority_queue) and a distance array initialised per query.
//
// It numbers the nodes itself, as a program reading the shapefile would: in the order their
// link ends first appear in record order. So it shares no layout with the engine (whose nodes
// follow a space-filling curve), only the arc costs; node ids at its interface are the
// engine's, translated on the way in and out.

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
  // Distances from the nearest of `sources`, settling nothing beyond `cutoff`.
  std::size_t run_from_all(const std::vector<NodeId>& sources, double cutoff);
  double distance(NodeId node) const { return distance_[own_id_[node]]; }

private:
  std::size_t settle(const std::vector<std::uint32_t>& sources, std::uint32_t target,
                     double cutoff);

  std::vector<std::uint32_t> own_id_; // engine node id -> own id
  std::vector<std::vector<std::pair<std::uint32_t, double>>> adjacent_;
  std::vector<double> distance_;
};

} // namespace tamix::bench
