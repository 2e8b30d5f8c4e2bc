#include "fixture.h"

#include "node_index.h"

#include <cmath>
#include <limits>
#include <random>

namespace tamix::test {
namespace {

NodeId brute_force_nearest(const Network& network, double x, double y) {
  NodeId best = no_node;
  double best_d2 = 0;
  for (NodeId v = 1; v <= network.node_count(); ++v) {
    const Point& p = network.node_points[v];
    const double d2 = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
    if (best == no_node || d2 < best_d2) {
      best = v;
      best_d2 = d2;
    }
  }
  return best;
}

TEST(NodeIndex, FindsTheNearestNodeOfTheSample) {
  TempFolder folder;
  Network network = build_and_load(copy_sample(folder.path()), "roads");
  NodeIndex index(network);
  std::mt19937 random(test_seed(3));
  // Inside the extent, near it and far outside.
  std::uniform_real_distribution<double> x(670000, 690000), y(6390000, 6410000);
  std::uniform_real_distribution<double> far(-1e7, 1e7);
  for (int i = 0; i < 3000; ++i) {
    const double qx = i % 10 == 0 ? far(random) : x(random);
    const double qy = i % 10 == 0 ? far(random) : y(random);
    ASSERT_EQ(index.nearest(qx, qy), brute_force_nearest(network, qx, qy)) << qx << " " << qy;
  }
  for (NodeId v = 1; v <= network.node_count(); v += 101)
    EXPECT_EQ(index.nearest(network.node_points[v].x, network.node_points[v].y), v);
}

TEST(NodeIndex, BreaksTiesToTheLowerNodeAndCopesWithAFlatExtent) {
  TempFolder folder;
  // All nodes on one horizontal line: 1 (0,0), 2 (10,0), 3 (20,0), 4 (30,0).
  write_shapefile(folder.path(), "roads",
                  {line({{0, 0}, {10, 0}}), line({{10, 0}, {20, 0}}), line({{20, 0}, {30, 0}})});
  Network network = build_and_load(folder.path(), "roads");
  NodeIndex index(network);
  EXPECT_EQ(index.nearest(5, 3), 1u);
  EXPECT_EQ(index.nearest(15, -3), 2u);
  EXPECT_EQ(index.nearest(29, 100), 4u);
  EXPECT_EQ(index.nearest(-1e9, 0), 1u);
}

TEST(NodeIndex, CopesWithCoordinatesNearTheLimitsOfADouble) {
  TempFolder folder;
  const Point a{0, 0}, b{10, 0}, c{1e300, 0}, d{1e300, 1e300}, e{-1e308, 0}, f{1e308, -1e308};
  // The extent is wider than any double and distances square beyond it.
  write_shapefile(folder.path(), "roads",
                  {line({e, a}), line({a, b}), line({b, c}), line({c, d}), line({c, f})});
  Network network = build_and_load(folder.path(), "roads");
  NodeIndex index(network);
  const std::pair<Point, Point> cases[] = {
      {{1, 1}, a},      {{9, -1}, b},         {{1e300, 1e299}, c},  {{1e300, 9e299}, d},
      {{-9e307, 5}, e}, {{1e308, -9e307}, f}, {{-1e308, 1e308}, e},
  };
  for (const auto& [query, expected] : cases)
    EXPECT_EQ(index.nearest(query.x, query.y), node_at(network, expected))
        << query.x << " " << query.y;
  for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(index.nearest(bad, 0), no_node);
    EXPECT_EQ(index.nearest(0, -bad), no_node);
  }
}

} // namespace
} // namespace tamix::test
