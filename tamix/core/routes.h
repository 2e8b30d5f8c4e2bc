#pragma once

// Routes, one-to-all trees and the walk along a path of the last search.
//
// A path is listed from its target back to its origin, the way the add-in walks it:
//   nodes[0] = target, ..., nodes[n-1] = origin          (n nodes; n = 1 when origin == target)
//   links[k-1] = the link between nodes[k-1] and nodes[k] (n - 1 signed links, in the direction of
//                travel: +l when travel runs from the shape's first vertex to its last)
// so position k (1-based) of the add-in is links[k-1] and nodes[k-1], and nodes[k] is the node at
// which the route enters links[k-1].

#include "costs.h"
#include "search.h"

#include <vector>

namespace tamix {

struct RouteResult {
  bool reached = false;
  Cost primary = inf_cost; // at the target when reached
  Cost secondary = inf_cost;
  // When not reached: the reached node nearest to `to` in a straight line (in metres, so a
  // network in degrees measures on the sphere), the cheaper one on a tie. A route that cannot
  // reach its stop ends there, as close to the stop as the network allows.
  NodeId nearest_reached = no_node;
};

// A lower bound of the primary cost per map unit of straight line between two nodes: a link is
// never shorter than the straight line between its ends, and costs at least
// costs.min_primary_per_metre per metre. 0 (no bound) for degrees, whose straight lines are not
// lengths.
double lower_bound_per_map_unit(const Network& network, const ArcCosts& costs);

// Cheapest route from `from` to `to`, searched toward `to` with the bound above; the search stops
// once `to` is settled. Unknown nodes raise out_of_bounds.
RouteResult solve_route(Search& search, const ArcCosts& costs, NodeId from, NodeId to);

// Every node reachable from `from` within `cutoff` (inf_cost or <= 0: no cut-off).
void solve_from_node(Search& search, const ArcCosts& costs, NodeId from, Cost cutoff);

struct Path {
  std::vector<NodeId> nodes; // empty when the target was not reached
  std::vector<SignedLink> links;
};

// The path of the last search to `target`. Raises out_of_bounds for an unknown node.
Path walk_path(const Search& search, NodeId target);

struct FarEnd {
  Cost primary = inf_cost;
  Cost secondary = inf_cost;
};

// Costs accumulated up to the far end of `link` in the last search: the cheaper of entering it
// from either reached end (for a link of the tree this is the label of the node it leads to).
// inf_cost when neither end was reached or the link is impassable. Raises out_of_bounds for a
// link the network does not have.
FarEnd far_end_cost(const Search& search, const ArcCosts& costs, LinkId link);

} // namespace tamix
