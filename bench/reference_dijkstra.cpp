#include "reference_dijkstra.h"

#include <functional>
#include <limits>
#include <queue>

namespace tamix::bench {

ReferenceDijkstra::ReferenceDijkstra(const Network& network, const ArcCosts& costs)
    : adjacent_(network.node_count() + 1) {
  const Graph& graph = network.graph;
  for (NodeId v = 1; v <= network.node_count(); ++v)
    for (ArcId a = graph.arcs_begin(v); a < graph.arcs_end(v); ++a)
      if (costs.primary(a) < inf_cost)
        adjacent_[v].push_back({graph.head[a], costs.primary(a)});
}

std::size_t ReferenceDijkstra::run(NodeId source, NodeId target) {
  distance_.assign(adjacent_.size(), std::numeric_limits<double>::infinity());
  std::vector<bool> done(adjacent_.size(), false);
  using Item = std::pair<double, NodeId>;
  std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
  distance_[source] = 0;
  queue.push({0, source});
  std::size_t settled = 0;
  while (!queue.empty()) {
    auto [d, v] = queue.top();
    queue.pop();
    if (done[v])
      continue;
    done[v] = true;
    ++settled;
    if (v == target)
      break;
    for (auto [w, cost] : adjacent_[v])
      if (d + cost < distance_[w]) {
        distance_[w] = d + cost;
        queue.push({distance_[w], w});
      }
  }
  return settled;
}

} // namespace tamix::bench
