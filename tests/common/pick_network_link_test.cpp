#include <gtest/gtest.h>

#include <string>

#include "common/join_line_geometries.h"
#include "common/pick_network_link.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

using testing::point;

using host::geometry_polyline;

class PickLink : public testing::HostTest {
protected:
  // Feature id of the picked link, -1 for none.
  int pick(const std::vector<host::Path>& links, double x, double y, double search = 1) {
    const auto name = "roads" + std::to_string(++layers_);
    const auto layer = add_layer(shapefile(name, geometry_polyline, links), name);
    document_->SetSearchTolerance(search);
    const auto picked = PickNetworkLink(document_.get(), layer.get(), point(x, y).get());
    return picked ? picked->OID() : -1;
  }
  int layers_ = 0;
};

TEST_F(PickLink, NearestLinkOfTheFirstBoxThatHoldsAny) {
  const std::vector<host::Path> two_parallel = {{{0, 0}, {10, 0}}, {{0, 2}, {10, 2}}};
  // P reaches into the box at its third pass (corner 2.9, 2.9; 4.1 away); Q is nearer (3.5
  // away) but enters the box only at the fourth.
  const std::vector<host::Path> corner_and_nearer = {{{2.9, 2.9}, {2.9, 100}},
                                                     {{-1, 3.5}, {1, 3.5}}};
  const struct {
    const char* what;
    const std::vector<host::Path>& links;
    double x, y;
    int picked;
  } cases[] = {
      {"near the first", two_parallel, 5, 0.4, 0},
      {"near the second", two_parallel, 5, 1.7, 1},
      {"equally near: the first delivered", two_parallel, 5, 1, 0},
      {"far away, after widening", two_parallel, 5, 60, 1},
      {"the box decides, not the distance", corner_and_nearer, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(pick(c.links, c.x, c.y), c.picked);
  }
}

TEST_F(PickLink, ALayerWithoutFeaturesGivesNone) {
  EXPECT_EQ(pick({}, 5, 5), -1);
  EXPECT_EQ(pick({}, 5, 5, 0), -1);
}

TEST(JoinLineGeometries, LinksSharingAnEndBecomeOneLine) {
  const auto first = testing::polyline({{0, 0}, {3, 0}});
  const auto second = testing::polyline({{3, 0}, {3, 4}});
  const auto joined = JoinLineGeometries(first.get(), second.get()).as<host::HostPolyline>();
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->PathCount(), 1);
  EXPECT_DOUBLE_EQ(joined->Length(), 7);
}

// Disabled while the host's union of polylines joins two equal lines end to end (a line of
// twice the length) instead of giving their set union.
TEST(JoinLineGeometries, ALineJoinedWithItselfStaysTheSame) {
  const auto first = testing::polyline({{0, 0}, {3, 0}});
  const auto same = JoinLineGeometries(first.get(), first.get()).as<host::HostPolyline>();
  ASSERT_TRUE(same);
  EXPECT_EQ(same->PathCount(), 1);
  EXPECT_DOUBLE_EQ(same->Length(), 3);
}

} // namespace
} // namespace corvane
