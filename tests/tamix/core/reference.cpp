#include "reference.h"

#include <cmath>
#include <queue>

namespace tamix::test {

RefLinkCost reference_link_cost(const Network& network, const RefSettings& settings, LinkId link) {
  RefLinkCost cost;
  if (link == 0 || link > network.link_count() || network.link_ends[link].from == 0 ||
      settings.closed.count(link))
    return cost;
  const double distance = network.link_metres[link] / (settings.miles ? 1609.344 : 1000.0);
  double speed = 1;
  if (auto c = settings.class_speed.find(network.link_class[link]); c != settings.class_speed.end())
    speed = c->second;
  if (auto t = settings.temp_speed.find(link); t != settings.temp_speed.end())
    speed = t->second;
  const bool time_used = settings.primary_time != 0 || settings.secondary_time != 0;
  if (time_used && speed <= 0)
    return cost;
  const double minutes = time_used ? distance / speed * 60 : 0;
  cost.passable = true;
  cost.primary = settings.primary_distance * distance + settings.primary_time * minutes;
  cost.secondary = settings.secondary_distance * distance + settings.secondary_time * minutes;
  return cost;
}

std::vector<double> reference_dijkstra(const Network& network, const RefSettings& settings,
                                       NodeId source) {
  struct Edge {
    NodeId to;
    double cost;
  };
  std::vector<std::vector<Edge>> adjacent(network.node_count() + 1);
  for (LinkId l = 1; l <= network.link_count(); ++l) {
    RefLinkCost cost = reference_link_cost(network, settings, l);
    if (!cost.passable)
      continue;
    adjacent[network.link_ends[l].from].push_back({network.link_ends[l].to, cost.primary});
    adjacent[network.link_ends[l].to].push_back({network.link_ends[l].from, cost.primary});
  }
  std::vector<double> dist(network.node_count() + 1, unreached);
  using Item = std::pair<double, NodeId>;
  std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
  dist[source] = 0;
  queue.push({0, source});
  while (!queue.empty()) {
    auto [d, v] = queue.top();
    queue.pop();
    if (d > dist[v])
      continue;
    for (const Edge& e : adjacent[v])
      if (d + e.cost < dist[e.to]) {
        dist[e.to] = d + e.cost;
        queue.push({dist[e.to], e.to});
      }
  }
  return dist;
}

bool same_cost(double a, double b) {
  if (std::isinf(a) || std::isinf(b))
    return a == b;
  return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

RefCentres reference_centres(const Network& network, const RefSettings& settings,
                             const std::vector<NodeId>& centres) {
  std::vector<std::vector<double>> from;
  for (NodeId centre : centres)
    from.push_back(reference_dijkstra(network, settings, centre));
  RefCentres result{std::vector<double>(network.node_count() + 1, unreached),
                    std::vector<std::uint32_t>(network.node_count() + 1, 0)};
  for (NodeId v = 1; v <= network.node_count(); ++v) {
    for (const std::vector<double>& costs : from)
      result.cost[v] = std::min(result.cost[v], costs[v]);
    if (result.cost[v] == unreached)
      continue;
    for (std::uint32_t k = 0; k < from.size() && result.owner[v] == 0; ++k)
      if (same_cost(from[k][v], result.cost[v]))
        result.owner[v] = k + 1;
  }
  return result;
}

std::vector<RefLinkReach> reference_link_reach(const Network& network, const RefSettings& settings,
                                               const RefCentres& centres) {
  std::vector<RefLinkReach> reach(network.link_count() + 1);
  for (LinkId l = 1; l <= network.link_count(); ++l) {
    const RefLinkCost cost = reference_link_cost(network, settings, l);
    if (!cost.passable)
      continue;
    NodeId a = network.link_ends[l].from, b = network.link_ends[l].to;
    const bool tie = same_cost(centres.cost[a], centres.cost[b]);
    if (tie ? centres.owner[b] < centres.owner[a] : centres.cost[b] < centres.cost[a])
      std::swap(a, b);
    if (centres.cost[a] == unreached)
      continue;
    reach[l] = {centres.cost[a] + cost.primary, centres.owner[a]};
  }
  return reach;
}

} // namespace tamix::test
