#include "routes.h"

#include "map_units.h"
#include "straight_line.h"

namespace tamix {

double lower_bound_per_map_unit(const Network& network, const ArcCosts& costs) {
  if (network.map_units == map_units_degree || !is_known_map_unit(network.map_units))
    return 0;
  // A hair below the exact bound, so that rounding can never make it exceed a link's cost.
  return costs.min_primary_per_metre * metres_per_map_unit(network.map_units) * (1 - 1e-9);
}

RouteResult solve_route(Search& search, const ArcCosts& costs, NodeId from, NodeId to) {
  const Network& network = search.network();
  check_node(network, to);
  search.run_from(costs, from, {inf_cost, to, lower_bound_per_map_unit(network, costs)});
  RouteResult result;
  result.reached = search.reached(to);
  result.primary = search.primary(to);
  result.secondary = search.secondary(to);
  if (!result.reached) {
    // Every node of the origin's part was settled (toward the target, so not in order of cost).
    double nearest = 0;
    for (NodeId node : search.settled_nodes()) {
      const double metres = straight_line_metres(network, node, to);
      if (result.nearest_reached == no_node || metres < nearest ||
          (metres == nearest && search.primary(node) < search.primary(result.nearest_reached))) {
        result.nearest_reached = node;
        nearest = metres;
      }
    }
  }
  return result;
}

void solve_from_node(Search& search, const ArcCosts& costs, NodeId from, Cost cutoff) {
  search.run_from(costs, from, {cutoff > 0 ? cutoff : inf_cost, no_node});
}

Path walk_path(const Search& search, NodeId target) {
  const Network& network = search.network();
  check_node(network, target);
  Path path;
  if (!search.reached(target))
    return path;
  NodeId node = target;
  path.nodes.push_back(node);
  for (SignedLink link = search.parent_link(node); link != no_link;
       link = search.parent_link(node)) {
    path.links.push_back(link);
    node = network.tail(link);
    path.nodes.push_back(node);
  }
  return path;
}

FarEnd far_end_cost(const Search& search, const ArcCosts& costs, LinkId link) {
  const Network& network = search.network();
  check_link(network, link);
  // Both arcs of the link carry the same costs (links are two-way); find one at its from node.
  const Graph& graph = network.graph;
  const NodeId from = network.link_ends[link].from;
  ArcId arc = graph.arcs_begin(from);
  while (link_of(graph.arc_link[arc]) != link)
    ++arc;
  const Cost primary_step = costs.primary(arc);
  const Cost secondary_step = costs.secondary(arc);
  FarEnd best;
  if (primary_step >= inf_cost)
    return best;
  for (NodeId tail : {from, network.link_ends[link].to}) {
    if (!search.reached(tail))
      continue;
    Cost primary = search.primary(tail) + primary_step;
    if (primary < best.primary)
      best = {primary, search.secondary(tail) + secondary_step};
  }
  return best;
}

} // namespace tamix
