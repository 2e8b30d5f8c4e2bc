#include <gtest/gtest.h>

#include <cmath>

#include "map/document.h"
#include "map/geometry_factory.h"
#include "map/map.h"

namespace host {
namespace {

TEST(DisplayTransformation, PixelsRoundTripThroughMapPoints) {
  auto map = com::make<Map>();
  ASSERT_EQ(map->SetExtent(
                new_envelope({677440.384, 6399855.559, 679440.384, 6401455.559}, nullptr).get()),
            com::S_OK);
  const auto transform = map->ScreenDisplay()->DisplayTransformation();
  for (const auto& [x, y] : {std::pair{0, 0}, {999, 799}, {500, 400}, {17, 733}}) {
    const auto point = transform->ToMapPoint(x, y);
    int px = -1, py = -1;
    ASSERT_EQ(transform->FromMapPoint(point.get(), &px, &py), com::S_OK);
    EXPECT_EQ(px, x);
    EXPECT_EQ(py, y);
  }
  // A map point comes back within half a pixel.
  const auto point = new_point(678440.3839640059, 6400655.559205196, nullptr);
  int px = 0, py = 0;
  ASSERT_EQ(transform->FromMapPoint(point.get(), &px, &py), com::S_OK);
  const auto back = transform->ToMapPoint(px, py);
  EXPECT_LE(std::fabs(back->X() - point->X()), transform->Resolution() / 2);
  EXPECT_LE(std::fabs(back->Y() - point->Y()), transform->Resolution() / 2);
}

TEST(DisplayTransformation, FitsTheExtentKeepingItsAspectAndYPointsDown) {
  auto map = com::make<Map>();
  // 100 wide, 400 high: the height decides (0.5 units per pixel), the width grows to 500.
  ASSERT_EQ(map->SetExtent(new_envelope({0, 0, 100, 400}, nullptr).get()), com::S_OK);
  const auto transform = map->ScreenDisplay()->DisplayTransformation();
  EXPECT_DOUBLE_EQ(transform->Resolution(), 0.5);
  const auto visible = transform->VisibleBounds();
  EXPECT_DOUBLE_EQ(visible->XMin(), -200);
  EXPECT_DOUBLE_EQ(visible->XMax(), 300);
  const auto top_left = transform->ToMapPoint(0, 0);
  EXPECT_DOUBLE_EQ(top_left->X(), -200);
  EXPECT_DOUBLE_EQ(top_left->Y(), 400);
}

TEST(ActiveView, RefusesAnEmptyExtentAndCountsRefreshes) {
  auto map = com::make<Map>();
  EXPECT_EQ(map->SetExtent(new_envelope({5, 5, 5, 9}, nullptr).get()), com::E_INVALIDARG);
  EXPECT_EQ(map->SetExtent(nullptr), com::E_INVALIDARG);
  map->Refresh();
  map->PartialRefresh(2, nullptr, nullptr);
  EXPECT_EQ(map->RefreshCount(), 2);
}

TEST(Document, SearchToleranceFollowsTheViewUntilSet) {
  auto document = com::make<Document>();
  ASSERT_EQ(document->map().SetExtent(new_envelope({0, 0, 2000, 1600}, nullptr).get()), com::S_OK);
  EXPECT_DOUBLE_EQ(document->SearchTolerance(), 6) << "3 pixels of 2 map units";
  document->SetSearchTolerance(0.5);
  EXPECT_DOUBLE_EQ(document->SearchTolerance(), 0.5);
}

} // namespace
} // namespace host
