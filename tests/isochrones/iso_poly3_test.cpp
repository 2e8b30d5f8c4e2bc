#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "isochrones/iso_poly3.h"
#include "polygon_tool_fixture.h"

namespace corvane {
namespace {

using testing::row_of_links;
using NearestCentreTool = testing::PolygonToolTest<IsoPoly3>;

constexpr long Ctrl = 2;
constexpr long Shift = 1;

TEST_F(NearestCentreTool, ClickedCentresShareTheNetworkOneZoneEach) {
  network(row_of_links());
  zones({}); // no zone list is needed
  shared_state().gRouteType = RouteFastest;
  click_tool(0, 1000);
  click_tool(1900, 1000, Ctrl);
  click_tool(3100, 1000, Ctrl);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2", " 3"}));
  click_tool(4000, 1000, Shift);

  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2", " 3", " 4"}));
  EXPECT_EQ(numbers(*open("IsoPoly"), "ID"), (std::vector<double>{1, 2, 3, 4}));
  const auto area = areas();
  ASSERT_EQ(area.size(), 4U);
  for (const double a : area)
    EXPECT_GT(a, 0);
  EXPECT_EQ(file_text("IsoPoly.prj"), projection_text);
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "IsoPoly"}));
  const auto renderer = zone_renderer();
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->ValueCount(), 4);
  EXPECT_EQ(renderer->Label("4"), "Zone 4");
  EXPECT_EQ(shared_state().gRouteType, RouteShortest);
  EXPECT_EQ(shared_state().gMultiStopCount, 4);
  EXPECT_TRUE(messages().empty());
}

TEST_F(NearestCentreTool, ClicksThatDoNotCalculate) {
  network(row_of_links());
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  ASSERT_TRUE(exists("IsoPoly.shp"));

  // A right click, and Ctrl with Shift, remove the zones and do nothing else.
  click_tool(2000, 1000, 0, 2);
  EXPECT_FALSE(exists("IsoPoly.shp"));
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads"}));
  click_tool(2000, 1000, Ctrl | Shift);
  // A Ctrl+click after a calculation adds no centre.
  click_tool(2000, 1000, Ctrl);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2"}));
  EXPECT_EQ(shared_state().gMultiStopCount, 2);

  // A Shift+click without a plain click clears the old labels and adds to the old centres.
  click_tool(3000, 1000, Shift);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{" 3"}));
  EXPECT_EQ(numbers(*open("IsoPoly"), "ID"), (std::vector<double>{1, 2, 3}));
}

TEST_F(NearestCentreTool, ClippingCutsTheZonesToTheClipLayer) {
  network(row_of_links());
  clip_to({{-5000, 1000, 5000, 6000}});
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  EXPECT_EQ(numbers(*open("IsoPoly"), "ID"), (std::vector<double>{1, 2}));
  EXPECT_TRUE(exists("IsoPoly3.shp"));
  EXPECT_EQ(file_text("IsoPoly3.prj"), projection_text);
  const auto cut = areas();
  shared_state().gClipMode = ClipMode::Off;
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  const auto whole = areas();
  ASSERT_EQ(cut.size(), 2U);
  ASSERT_EQ(whole.size(), 2U);
  EXPECT_NEAR(cut[0], whole[0] / 2, whole[0] * 1e-6);
  EXPECT_FALSE(exists("IsoPoly3.shp"));
}

TEST_F(NearestCentreTool, AMissingClipLayerOrProjection) {
  network(row_of_links());
  shared_state().gClipMode = ClipMode::ToLayer;
  shared_state().gClipLayerName = "Gone";
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Clip layer not found: Clip layer not found"}));
  EXPECT_EQ(shared_state().gClipMode, ClipMode::LayerMissing);
  EXPECT_EQ(numbers(*open("IsoPoly"), "ID"), (std::vector<double>{1, 2}));

  user_->messages.clear();
  std::filesystem::remove(path("roads.prj"));
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "PRJ: The chosen polyline layer is missing projection information. "
                            "Please use ArcCatalog to add this."}));
  EXPECT_FALSE(exists("IsoPoly.shp"));
}

// A clip layer that cannot cut is told at the Shift+click before the centre is added, so the
// set can be closed again once the layer is mended. No temporary stays. (Every click of this
// tool, the plain one too, removes the last output first.)
TEST_F(NearestCentreTool, ClipLayersThatCannotCutAreTold) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<std::vector<double>> clip;
    std::string message;
  } cases[] = {
      {{{-5000, 1000, nan, 6000}},
       clip_refusal("polygon 0 has a vertex whose coordinates are not finite numbers")},
      {{}, clip_refusal("it holds no polygon")},
  };
  network(row_of_links());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    clip_to(c.clip);
    user_->messages.clear();
    click_tool(0, 1000);
    click_tool(500, 1000, Shift);
    EXPECT_EQ(messages(), (std::vector<std::string>{c.message}));
    EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1"}));
    EXPECT_FALSE(exists("IsoPoly.shp"));
    expect_no_temporaries();
  }
}

} // namespace
} // namespace corvane
