#pragma once

// Searches from several centres at once, and what each link gets from them. The rules every
// caller reads the same way (link values, nearest-centre numbers, zone polygons, batch runs):
//
// - A node's cost is the cost from its nearest centre; its owner is the number (1-based, in the
//   order the centres were given) of that centre. When several centres reach a node at the same
//   cost, the lowest number owns it; two centres on one node: the lower number owns it and the
//   higher owns nothing.
// - A link's cost is its far-end cost: the cost at which the whole link is reached, entered from
//   its cheaper end (links are two-way and cost the same both ways).
// - A link's nearest centre is the owner of its cheaper end (equal ends: the lower number).
// - A link is within the cut-off when its far-end cost does not exceed it; links beyond it,
//   closed links and links in parts of the network no centre reaches get no cost and no centre.
//
// Example, a line of links 1 and 2 of cost 3 each, centres 1 at its left end and 2 at its right:
//   (c1) --1-- (m) --2-- (c2)    m costs 3 from both, so centre 1 owns m;
//   link 1: cost 3, centre 1;  link 2: cost 3, centre 2 (entered from its cheaper end, c2).

#include "costs.h"
#include "search.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tamix {

// The owners of the nodes of the last search from centres.
class CentreOwners {
public:
  // After `search` ran from `centres` (each at cost 0): gives every reached node its owner.
  void assign(const Search& search, const ArcCosts& costs, std::span<const NodeId> centres);
  // 0 for a node the search did not reach.
  std::uint32_t of(const Search& search, NodeId node) const {
    return search.reached(node) ? owner_[node] : 0;
  }

private:
  std::vector<std::uint32_t> owner_; // per node, valid for reached nodes only
  std::vector<NodeId> stack_;
};

// Runs `search` from every centre at cost 0 up to `cutoff` (<= 0: no cut-off) and assigns the
// owners. Unknown nodes raise out_of_bounds.
void solve_from_centres(Search& search, const ArcCosts& costs, std::span<const NodeId> centres,
                        Cost cutoff, CentreOwners& owners);

struct LinkReach {
  Cost cost = inf_cost; // inf_cost: not reached within the cut-off
  std::uint32_t centre = 0;
};

// Every link's reach after the last search (indexed by link, slot 0 unused), with the costs that
// search ran with. Without owners every reached link gets centre 1. Reuses `reach`'s memory.
void reach_of_links(const Search& search, const ArcCosts& costs, const CentreOwners* owners,
                    Cost cutoff, std::vector<LinkReach>& reach);

} // namespace tamix
