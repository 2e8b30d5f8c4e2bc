#include "centres.h"

#include <algorithm>

namespace tamix {

void CentreOwners::assign(const Search& search, const ArcCosts& costs,
                          std::span<const NodeId> centres) {
  const Network& network = search.network();
  owner_.resize(network.node_count() + 1);
  constexpr std::uint32_t none = ~std::uint32_t(0);
  for (NodeId node : search.settled_nodes())
    owner_[node] = none;
  for (std::uint32_t k = 0; k < centres.size(); ++k)
    if (search.reached(centres[k]) && search.primary(centres[k]) == 0)
      owner_[centres[k]] = std::min(owner_[centres[k]], k + 1);

  // An arc is tight when it carries a node's cost exactly (the search added the same two
  // numbers); owners flow along tight arcs, the least number winning. Nodes are taken in the
  // order they were settled, so every tight arc of positive cost comes from a node already done.
  // A zero-cost arc may join two nodes of equal cost settled either way round: a node whose owner
  // drops through one is taken again at once.
  const Graph& graph = network.graph;
  const auto spread_from = [&](NodeId node) {
    const Cost cost = search.primary(node);
    const std::uint32_t owner = owner_[node];
    for (ArcId a = graph.arcs_begin(node); a < graph.arcs_end(node); ++a) {
      const NodeId next = costs.arcs[a].head;
      if (search.reached(next) && owner < owner_[next] &&
          cost + costs.arcs[a].primary == search.primary(next)) {
        owner_[next] = owner;
        if (costs.arcs[a].primary == 0)
          stack_.push_back(next);
      }
    }
  };
  for (NodeId node : search.settled_nodes()) {
    spread_from(node);
    while (!stack_.empty()) {
      const NodeId again = stack_.back();
      stack_.pop_back();
      spread_from(again);
    }
  }
}

void solve_from_centres(Search& search, const ArcCosts& costs, std::span<const NodeId> centres,
                        Cost cutoff, CentreOwners& owners) {
  std::vector<Source> sources;
  sources.reserve(centres.size());
  for (NodeId centre : centres)
    sources.push_back({centre, 0, 0});
  search.run(costs, sources, {cutoff > 0 ? cutoff : inf_cost, no_node});
  owners.assign(search, costs, centres);
}

void reach_of_links(const Search& search, const ArcCosts& costs, const CentreOwners* owners,
                    Cost cutoff, std::vector<LinkReach>& reach) {
  const Network& network = search.network();
  const Graph& graph = network.graph;
  const Cost limit = cutoff > 0 ? cutoff : inf_cost / 2;
  reach.assign(network.link_count() + 1, LinkReach{});
  // Every arc out of a reached node offers its link a far-end cost; the cheapest offer wins,
  // and among equal offers the lower centre number, so the nodes may come in any order.
  const auto offer_from = [&](NodeId node) {
    const Cost cost = search.primary(node);
    const std::uint32_t centre = owners ? owners->of(search, node) : 1;
    for (ArcId a = graph.arcs_begin(node); a < graph.arcs_end(node); ++a) {
      const Cost far = cost + costs.arcs[a].primary;
      if (far > limit)
        continue;
      LinkReach& link = reach[link_of(costs.arcs[a].link)];
      if (far < link.cost || (far == link.cost && centre < link.centre))
        link = {far, centre};
    }
  };
  // Once much of the network is reached, walking the nodes in storage order reads the arrays
  // in sequence instead of all over memory, which is faster than the settled ones alone.
  const std::span<const NodeId> settled = search.settled_nodes();
  if (settled.size() < network.node_count() / 4) {
    for (NodeId node : settled)
      offer_from(node);
  } else {
    for (NodeId node = 1; node <= network.node_count(); ++node)
      if (search.reached(node))
        offer_from(node);
  }
}

} // namespace tamix
