#pragma once

// A plain textbook Dijkstra and a plain cost function, written apart from the engine so that
// the engine's searches and costs can be checked against them.

#include "network.h"

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace tamix::test {

inline constexpr double unreached = std::numeric_limits<double>::infinity();

struct RefSettings {
  bool miles = false;
  std::map<int, double> class_speed; // missing classes: 1
  std::map<LinkId, double> temp_speed;
  std::set<LinkId> closed;
  double primary_distance = 1, primary_time = 0;
  double secondary_distance = 0, secondary_time = 1;
};

struct RefLinkCost {
  bool passable = false;
  double primary = 0;
  double secondary = 0;
};

RefLinkCost reference_link_cost(const Network& network, const RefSettings& settings, LinkId link);

// Primary cost from `source` to every node (index = node id), unreached = infinity.
std::vector<double> reference_dijkstra(const Network& network, const RefSettings& settings,
                                       NodeId source);

// From several centres: every node's least cost and its owner, the lowest centre number
// (1-based) whose own cost is that least one (within rounding); 0 for a node none reaches.
struct RefCentres {
  std::vector<double> cost;
  std::vector<std::uint32_t> owner;
};
RefCentres reference_centres(const Network& network, const RefSettings& settings,
                             const std::vector<NodeId>& centres);

// Each link's far-end cost (index = link id; unreached = infinity) and the owner of its cheaper
// end (equal ends: the lower number; 0 when unreached).
struct RefLinkReach {
  double cost = unreached;
  std::uint32_t centre = 0;
};
std::vector<RefLinkReach> reference_link_reach(const Network& network, const RefSettings& settings,
                                               const RefCentres& centres);

// Equal within the rounding of a sum of link costs.
bool same_cost(double a, double b);

} // namespace tamix::test
