#include "fixture.h"

#include "geometry_tests.h"

#include <cmath>
#include <numbers>

namespace tamix::test {
namespace {

TEST(TurnAngle, CountsCounterClockwiseFromStraightOn) {
  struct Case {
    Point p1, node, p2;
    double degrees;
  };
  const Case cases[] = {
      {{0, -10}, {0, 0}, {0, 10}, 0},    // straight on (north)
      {{0, -10}, {0, 0}, {-10, 0}, 90},  // left
      {{0, -10}, {0, 0}, {0, -20}, 180}, // back
      {{0, -10}, {0, 0}, {10, 0}, 270},  // right
      {{0, -10}, {0, 0}, {-10, 10}, 45}, // half left
      {{0, -10}, {0, 0}, {10, 10}, 315}, // half right
      {{-5, 0}, {0, 0}, {5, 5}, 45},     // heading east, half left
      {{0, 0}, {0, 0}, {10, 0}, 0},      // no incoming direction
      {{0, -10}, {0, 0}, {0, 0}, 0},     // no outgoing direction
  };
  for (const Case& c : cases)
    EXPECT_NEAR(turn_angle(c.p1, c.node, c.p2), c.degrees, 1e-9)
        << c.p1.x << "," << c.p1.y << " -> " << c.p2.x << "," << c.p2.y;
  // Just right of straight on stays below 360.
  const double tiny_right = turn_angle({0, -10}, {0, 0}, {1e-12, 10});
  EXPECT_GE(tiny_right, 0);
  EXPECT_LT(tiny_right, 360);
}

std::vector<Point> arc(Point centre, double radius, double from_deg, double to_deg, int steps) {
  std::vector<Point> points;
  for (int i = 0; i <= steps; ++i) {
    const double a = (from_deg + (to_deg - from_deg) * i / steps) * std::numbers::pi / 180;
    // Exact ends, so the ring's pieces join where they meet.
    if (i == 0 || i == steps) {
      const double deg = i == 0 ? from_deg : to_deg;
      const int quarter = int(std::lround(deg / 90)) % 4;
      const Point ends[] = {{radius, 0}, {0, radius}, {-radius, 0}, {0, -radius}};
      points.push_back({centre.x + ends[quarter].x, centre.y + ends[quarter].y});
    } else {
      points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
  }
  return points;
}

TEST(Roundabouts, AreRoundRingsButNotBlocks) {
  TempFolder folder;
  std::vector<Record> records;
  // Links 1-4: a ring of radius 20 m in four quarters; links 5-8: an arm at each quarter point.
  for (int q = 0; q < 4; ++q)
    records.push_back(line(arc({0, 0}, 20, 90.0 * q, 90.0 * (q + 1), 8)));
  records.push_back(line({{20, 0}, {80, 0}}));
  records.push_back(line({{0, 20}, {0, 80}}));
  records.push_back(line({{-20, 0}, {-80, 0}}));
  records.push_back(line({{0, -20}, {0, -80}}));
  // Links 9-12: a square block of 100 m sides off the east arm.
  records.push_back(line({{80, 0}, {180, 0}}));
  records.push_back(line({{180, 0}, {180, 100}}));
  records.push_back(line({{180, 100}, {80, 100}}));
  records.push_back(line({{80, 100}, {80, 0}}));
  // Link 13: a one-link loop roundabout far away, with arm 14; link 15: a ring too large.
  std::vector<Point> loop = arc({1000, 0}, 15, 0, 360, 24);
  loop.back() = loop.front();
  records.push_back(line(loop));
  records.push_back(line({{1015, 0}, {1100, 0}}));
  std::vector<Point> big = arc({3000, 0}, 200, 0, 360, 64);
  big.back() = big.front();
  records.push_back(line(big));
  write_shapefile(folder.path(), "roads", records);
  Network network = build_and_load(folder.path(), "roads");
  Roundabouts roundabouts(network);

  const bool expected[] = {true,  true,  true,  true,  false, false, false, false,
                           false, false, false, false, true,  false, false};
  for (LinkId l = 1; l <= 15; ++l)
    EXPECT_EQ(roundabouts.is_link(l), expected[l - 1]) << "link " << l;
  // Ring nodes where an arm joins are roundabout nodes; arm ends and block corners are not.
  for (NodeId v = 1; v <= network.node_count(); ++v) {
    const Point& p = network.node_points[v];
    const bool on_small_ring = std::abs(std::hypot(p.x, p.y) - 20) < 1e-9 ||
                               std::abs(std::hypot(p.x - 1000, p.y) - 15) < 1e-9;
    EXPECT_EQ(roundabouts.is_node(v), on_small_ring) << "node at " << p.x << "," << p.y;
  }
}

} // namespace
} // namespace tamix::test
