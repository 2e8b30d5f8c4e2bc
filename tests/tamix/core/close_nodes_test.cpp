#include "fixture.h"

#include "close_nodes.h"
#include "error.h"

#include <cmath>
#include <random>

namespace tamix::test {
namespace {

// The nodes at `points`, linked as `links` (pairs of 1-based node numbers).
Network network_of(const std::vector<Point>& points,
                   const std::vector<std::pair<NodeId, NodeId>>& links) {
  Network network;
  network.node_points.push_back({});
  network.node_points.insert(network.node_points.end(), points.begin(), points.end());
  network.link_ends.push_back({});
  for (const auto& [from, to] : links)
    network.link_ends.push_back({from, to});
  network.link_metres.assign(network.link_ends.size(), 1);
  network.link_class.assign(network.link_ends.size(), 1);
  network.graph = build_graph(network.link_ends, NodeId(points.size()));
  return network;
}

// Every pair compared: what the grid must find.
std::vector<CloseNode> close_the_slow_way(const Network& network, double distance) {
  std::vector<CloseNode> found;
  for (NodeId a = 1; a <= network.node_count(); ++a) {
    CloseNode node{a, false};
    bool close = false;
    for (NodeId b = 1; b <= network.node_count(); ++b) {
      const double dx = network.node_points[a].x - network.node_points[b].x;
      const double dy = network.node_points[a].y - network.node_points[b].y;
      if (a == b || dx * dx + dy * dy >= distance * distance)
        continue;
      close = true;
      for (LinkId l = 1; l <= network.link_count(); ++l) {
        const auto [from, to] = network.link_ends[l];
        node.connected |= (from == a && to == b) || (from == b && to == a);
      }
    }
    if (close)
      found.push_back(node);
  }
  return found;
}

// Random nodes in clusters, so that many pairs fall on cell borders, some at one point, and
// far-out coordinates; links join random pairs, close or not.
TEST(CloseNodes, RandomNodesAgreeWithEveryPairCompared) {
  std::mt19937 random(test_seed(20));
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<Point> points;
    const int count = 2 + int(random() % 300);
    std::uniform_real_distribution<double> spread(-50, 50);
    for (int k = 0; k < count; ++k) {
      const double base = double(random() % 4) * 1e6;
      points.push_back(random() % 10 == 0 && !points.empty()
                           ? points[random() % points.size()]
                           : Point{base + std::round(spread(random)), base + spread(random)});
    }
    std::vector<std::pair<NodeId, NodeId>> links;
    for (int k = 0; k < count; ++k)
      links.emplace_back(NodeId(1 + random() % count), NodeId(1 + random() % count));
    const Network network = network_of(points, links);
    for (const double distance : {0.5, 1.0, 3.0, 10.0}) {
      SCOPED_TRACE("distance " + std::to_string(distance));
      EXPECT_EQ(find_close_nodes(network, distance), close_the_slow_way(network, distance));
    }
  }
}

TEST(CloseNodes, ADistanceThatIsNoPositiveNumberIsRefused) {
  const Network network = network_of({{0, 0}, {1, 0}}, {{1, 2}});
  for (const double distance : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    try {
      find_close_nodes(network, distance);
      ADD_FAILURE() << distance << " was taken";
    } catch (const Error& error) {
      EXPECT_EQ(error.code(), code::out_of_bounds);
    }
  }
}

} // namespace
} // namespace tamix::test
