#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "isochrones/multy_poly.h"
#include "polygon_tool_fixture.h"

namespace corvane {
namespace {

using testing::row_of_links;
using MultiCentreTool = testing::PolygonToolTest<MultyPoly>;

constexpr long Ctrl = 2;
constexpr long Shift = 1;

TEST_F(MultiCentreTool, WithoutOverlapOneZonePerLimitFromEveryCentre) {
  network(row_of_links());
  zones({1, 2});
  click_tool(0, 1000);
  click_tool(2000, 1000, Ctrl);
  click_tool(4000, 1000, Shift);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2", " 3"}));
  // All three centres count, the last one too.
  EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 2}));
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "IsoPoly"}));
  EXPECT_EQ(zone_renderer()->ValueCount(), 2);
  for (const char* temporary : {"IpPoly.shp", "IsoPoly1.shp", "IsoPoly2.shp"})
    EXPECT_FALSE(exists(temporary)) << temporary;
  const auto three = areas();
  // The same without the last centre covers less.
  click_tool(0, 1000);
  click_tool(2000, 1000, Shift);
  EXPECT_LT(areas()[0], three[0]);
}

// The legend names each zone by the limits the user gave, whole or not, with overlap or without.
TEST_F(MultiCentreTool, EveryZoneIsLabelledByItsOwnLimits) {
  network(row_of_links());
  const std::vector<std::pair<std::vector<float>, std::vector<std::string>>> cases = {
      {{0.5F, 1.5F}, {"0 - 0.5 Kilometers", "0.5 - 1.5 Kilometers"}},
      {{1, 2}, {"0 - 1 Kilometers", "1 - 2 Kilometers"}},
  };
  for (const auto overlap : {Overlap::None, Overlap::Allowed})
    for (const auto& [limits, labels] : cases) {
      shared_state().gAllowOverlap = overlap;
      zones(limits);
      click_tool(0, 1000);
      click_tool(4000, 1000, Shift);
      EXPECT_EQ(zone_labels(), labels);
    }
}

TEST_F(MultiCentreTool, WithOverlapTheZonesOfEveryCentreInTurn) {
  network(row_of_links());
  zones({1, 2, 3});
  shared_state().gAllowOverlap = Overlap::Allowed;
  for (const bool doughnut : {true, false}) {
    SCOPED_TRACE(doughnut ? "rings" : "discs");
    shared_state().gDoughnut = doughnut;
    click_tool(0, 1000);
    click_tool(4000, 1000, Shift);
    const auto zones = open("IsoPoly");
    EXPECT_EQ(attribute_names(*zones), (std::vector<std::string>{"Cost_start", "Cost_end", "ID"}));
    EXPECT_EQ(numbers(*zones, "ID"), (std::vector<double>{1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(numbers(*zones, "COST_END"), (std::vector<double>{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(numbers(*zones, "Cost_start"), doughnut ? (std::vector<double>{0, 1, 2, 0, 1, 2})
                                                      : (std::vector<double>(6, 0)));
    EXPECT_EQ(zone_renderer()->ValueCount(), 3);
    for (const char* temporary : {"IpPoly.prj", "IsoPoly1.shp", "IsoPoly2.shp"})
      EXPECT_FALSE(exists(temporary)) << temporary;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(MultiCentreTool, OverlappingZonesCutToOnePolygonKeepTheirOrder) {
  network(row_of_links());
  zones({1, 2});
  shared_state().gAllowOverlap = Overlap::Allowed;
  clip_to({{-5000, 1000, 5000, 6000}});
  click_tool(0, 1000);
  click_tool(4000, 1000, Shift);
  EXPECT_EQ(numbers(*open("IsoPoly"), "ID"), (std::vector<double>{1, 1, 2, 2}));
  EXPECT_EQ(numbers(*open("IsoPoly"), "Cost_end"), (std::vector<double>{1, 2, 1, 2}));
  EXPECT_FALSE(exists("IsoPoly2.shp"));
}

TEST_F(MultiCentreTool, ACtrlClickWithoutASetAddsNothing) {
  network(row_of_links());
  zones({1, 2});
  click_tool(0, 1000, Ctrl);
  EXPECT_TRUE(texts_on_map().empty());
  EXPECT_EQ(shared_state().gMultiStopCount, 0);
  zones({});
  click_tool(0, 1000);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Error: Create zones"}));
}

// A clip layer that cannot cut is told at the Shift+click, before the last output goes and
// before the centre is added, so the set can be closed again once the layer is mended; a cut
// that leaves no zone is told too. No temporary stays.
TEST_F(MultiCentreTool, ClipLayersThatCannotCutAreTold) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<std::vector<double>> clip;
    std::string message;
    bool last_output_stays;
  } cases[] = {
      {{{-5000, 1000, nan, 6000}},
       clip_refusal("polygon 0 has a vertex whose coordinates are not finite numbers"), true},
      {{}, clip_refusal("it holds no polygon"), true},
      {{{3500, -5000, 5000, 5000}}, no_zone_in_clip(), false},
  };
  network(row_of_links());
  zones({1, 2});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    shared_state().gClipMode = ClipMode::LayerMissing;
    click_tool(0, 1000);
    click_tool(0, 1000, Shift); // the last output, unclipped
    const auto last_output = file_text("IsoPoly.dbf");
    clip_to(c.clip);
    user_->messages.clear();
    click_tool(0, 1000);
    click_tool(0, 1000, Shift);
    EXPECT_EQ(messages(), (std::vector<std::string>{c.message}));
    EXPECT_EQ(exists("IsoPoly.shp"), c.last_output_stays);
    if (c.last_output_stays) {
      EXPECT_EQ(file_text("IsoPoly.dbf"), last_output);
      EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1"}));
      EXPECT_EQ(shared_state().gCentreSetOpen, 1);
    }
    expect_no_temporaries();
  }
}

} // namespace
} // namespace corvane
