#pragma once

// The costs between tour stops that the TSP solver orders by: on the network, or in a
// straight line.

#include "costs.h"
#include "network.h"

#include <span>
#include <vector>

namespace tamix {

// Primary costs between `nodes` (row-major, nodes.size() squared; inf_cost where a node cannot
// be reached): one search per distinct node, spread over the machine's cores. The result does
// not depend on the number of cores.
std::vector<Cost> network_cost_matrix(const Network& network, const ArcCosts& costs,
                                      std::span<const NodeId> nodes);

// Whether every one of `nodes` can be reached from `from`.
bool all_reached_from(const Network& network, const ArcCosts& costs, NodeId from,
                      std::span<const NodeId> nodes);

} // namespace tamix
