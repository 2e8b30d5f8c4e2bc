#include "costs.h"
#include "network_checks.h"
#include "routes.h"
#include "search.h"

namespace tamix {

namespace {

// Shorter by more than this share of the link's length: what rounding makes of two equal
// lengths summed along different links stays below it.
constexpr double rounding = 1e-9;

// Lengths alone: every class at the same speed, no closures, the distance as primary cost.
ArcCosts length_costs(const Network& network) {
  ArcCosts costs;
  compute_arc_costs(network, CostSettings(), Weights{1, 0, 0, 0}, costs);
  return costs;
}

} // namespace

CheckResult find_unused_links(const Network& network) {
  const Graph& graph = network.graph;
  const ArcCosts costs = length_costs(network);
  const double bound = lower_bound_per_map_unit(network, costs);
  const CostSettings lengths;
  Search search(network);
  CheckResult unused;
  unused.of_link.assign(network.link_count() + 1, unused_link::used);
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    if (!network.has_link(link))
      continue;
    const auto [from, to] = network.link_ends[link];
    if (from == to) {
      unused.of_link[link] = unused_link::loop;
      ++unused.count;
      continue;
    }
    // A dead end has no other way in.
    if (graph.arcs_end(from) - graph.arcs_begin(from) < 2 ||
        graph.arcs_end(to) - graph.arcs_begin(to) < 2)
      continue;
    // The same sum the cost arrays hold for the link.
    const Cost length = link_distance(network, lengths, link);
    // Toward the far end, no farther than the link: only the ellipse of nodes that a shorter
    // path could pass is searched.
    search.run_from(costs, from, {length, to, bound});
    if (search.primary(to) < length * (1 - rounding)) {
      unused.of_link[link] = unused_link::unused;
      ++unused.count;
    }
  }
  return unused;
}

} // namespace tamix
