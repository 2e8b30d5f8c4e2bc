#include "reference_dijkstra.h"

#include <functional>
#include <limits>
#include <queue>

namespace tamix::bench {

ReferenceDijkstra::ReferenceDijkstra(const Network& network, const ArcCosts& costs)
    : own_id_(network.node_count() + 1, 0) {
  const Graph& graph = network.graph;
  std::uint32_t count = 0;
  for (LinkId link = 1; link <= network.link_count(); ++link)
    for (NodeId end : {network.link_ends[link].from, network.link_ends[link].to})
      if (end != no_node && own_id_[end] == 0)
        own_id_[end] = ++count;
  adjacent_.resize(count + 1);
  for (NodeId v = 1; v <= network.node_count(); ++v)
    for (ArcId a = graph.arcs_begin(v); a < graph.arcs_end(v); ++a)
      if (costs.primary(a) < inf_cost)
        adjacent_[own_id_[v]].push_back({own_id_[graph.head[a]], costs.primary(a)});
}

std::size_t ReferenceDijkstra::run(NodeId source_node, NodeId target_node) {
  return settle({own_id_[source_node]}, target_node == no_node ? 0 : own_id_[target_node],
                std::numeric_limits<double>::infinity());
}

std::size_t ReferenceDijkstra::run_from_all(const std::vector<NodeId>& sources, double cutoff) {
  std::vector<std::uint32_t> own;
  for (NodeId source : sources)
    own.push_back(own_id_[source]);
  return settle(own, 0, cutoff);
}

std::size_t ReferenceDijkstra::settle(const std::vector<std::uint32_t>& sources,
                                      std::uint32_t target, double cutoff) {
  distance_.assign(adjacent_.size(), std::numeric_limits<double>::infinity());
  std::vector<bool> done(adjacent_.size(), false);
  using Item = std::pair<double, std::uint32_t>;
  std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
  for (std::uint32_t source : sources) {
    distance_[source] = 0;
    queue.push({0, source});
  }
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
      if (d + cost < distance_[w] && d + cost <= cutoff) {
        distance_[w] = d + cost;
        queue.push({distance_[w], w});
      }
  }
  return settled;
}

} // namespace tamix::bench
