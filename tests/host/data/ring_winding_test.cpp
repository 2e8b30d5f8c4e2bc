#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/ring_winding.h"
#include "geometry/shape.h"

namespace host {
namespace {

// A closed square, counter-clockwise from its lower left.
Path square(double x0, double y0, double side) {
  return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}, {x0, y0}};
}

Path reversed(Path ring) {
  std::reverse(ring.begin(), ring.end());
  return ring;
}

TEST(RingWinding, OuterRingsClockwiseHolesCounterClockwiseAtAnyDepth) {
  // A hole whose first edge lies on its outer ring: the next edge tells.
  const Path touching_hole{{0, 0}, {0, 4}, {4, 4}, {4, 0}, {0, 0}};
  struct Case {
    const char* name;
    std::vector<Path> rings;
    std::vector<bool> clockwise;
  } cases[] = {
      {"one ring", {square(0, 0, 10)}, {true}},
      {"outer and hole both clockwise", {reversed(square(0, 0, 10)), reversed(square(2, 2, 2))},
       {true, false}},
      {"island in a hole, hole listed first",
       {square(2, 2, 6), square(0, 0, 10), square(4, 4, 2)},
       {false, true, true}},
      {"two outer rings side by side", {square(0, 0, 1), reversed(square(5, 0, 1))},
       {true, true}},
      {"hole touching its outer ring", {square(0, 0, 10), touching_hole}, {true, false}},
  };
  for (auto& c : cases) {
    wind_shapefile_rings(c.rings);
    for (std::size_t r = 0; r < c.rings.size(); ++r)
      EXPECT_EQ(signed_area(c.rings[r]) < 0, c.clockwise[r]) << c.name << ", ring " << r;
  }
}

} // namespace
} // namespace host
