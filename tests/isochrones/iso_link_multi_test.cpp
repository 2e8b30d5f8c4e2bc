#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/isochrones/legend.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "isochrone_fixture.h"
#include "isochrones/iso_link_multi.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

constexpr long Shift = 1;
constexpr long Ctrl = 2;


class IsoLinkMultiTool : public testing::IsochroneTest {
protected:
  void SetUp() override {
    IsochroneTest::SetUp();
    build_network(testing::row_of_four());
    tool_ = com::make<IsoLinkMulti>();
    create(*tool_);
  }
  void TearDown() override {
    tool_ = nullptr;
    IsochroneTest::TearDown();
  }
  void click_tool(double x, double y, long shift = 0, long button = 1) {
    IsochroneTest::click_tool(*tool_, x, y, button, shift);
  }
  // The legend the user picks at the next calculation.
  void pick_legend(bool by_cost) {
    user_->expect<Legend>("Legend", [by_cost](Legend& dialog) {
      (by_cost ? dialog.Costw : dialog.Zonew).SetValue(true);
      dialog.Commandok.Click();
    });
  }
  std::vector<double> result() { return numbers(*open("roads"), "CV_RESULT"); }
  std::vector<double> cost() { return numbers(*open("roads"), "COST"); }
  bool stamped() { return settings_text().find("EDITED") != std::string::npos; }
  com::ComPtr<IsoLinkMulti> tool_;
};

TEST_F(IsoLinkMultiTool, TwoCentresGiveOwnersCostsAndTheChosenLegend) {
  zones({1, 2, 3});
  pick_legend(true);
  click_tool(0, 0);
  click_tool(4000, 0, Shift);
  // Node 2000 is 2 km from both centres and goes to the lower number; link 3 is entered from
  // its cheaper end (3000, 1 km from centre 2).
  EXPECT_EQ(result(), (std::vector<double>{1, 1, 2, 2, 0}));
  EXPECT_EQ(cost(), (std::vector<double>{1, 2, 2, 1, 0}));
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2"}));
  const auto& state = shared_state();
  EXPECT_EQ(state.gCentreSetOpen, 0);
  EXPECT_TRUE(state.gNetworkResultPresent);
  EXPECT_TRUE(stamped());
  EXPECT_EQ(state.gLegendType, LegendByCost);
  const auto bands = network_renderer<host::HostClassBreaksRenderer>();
  ASSERT_TRUE(bands);
  EXPECT_EQ(bands->Field(), "COST");
  EXPECT_EQ(bands->Label(2), "1-2 Kilometers");

  // The same centres drawn by nearest centre.
  pick_legend(false);
  click_tool(0, 0);
  click_tool(4000, 0, Shift);
  const auto points = network_renderer<host::HostUniqueValueRenderer>();
  ASSERT_TRUE(points);
  EXPECT_EQ(points->Field(0), "CV_RESULT");
  ASSERT_EQ(points->ValueCount(), 3);
  const std::vector<std::string> labels{"", "Point 1", "Point 2"};
  for (int v = 0; v < 3; ++v) {
    const std::string value = points->Value(v);
    EXPECT_EQ(value, std::to_string(v));
    EXPECT_EQ(points->Heading(value), "Point");
    EXPECT_EQ(points->Label(value), labels[v]);
    const auto line = points->Symbol(value).as<host::HostSimpleLineSymbol>();
    EXPECT_DOUBLE_EQ(line->Width(), v == 0 ? 1.0 : 3.0);
  }
  const auto none = points->Symbol("0").as<host::HostSimpleLineSymbol>()->Color();
  EXPECT_EQ(none->RGB(), 79 + 202 * 256 + 255 * 65536);
  EXPECT_NE(points->Symbol("1").as<host::HostSimpleLineSymbol>()->Color()->RGB(),
            points->Symbol("2").as<host::HostSimpleLineSymbol>()->Color()->RGB());
  // The previous run's labels are gone; only this set's are on the map.
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1", " 2"}));
}

TEST_F(IsoLinkMultiTool, LinksNoLongerReachedLoseTheirCost) {
  zones({1, 2, 3});
  click_tool(0, 0);
  click_tool(4000, 0, Shift);
  ASSERT_EQ(cost(), (std::vector<double>{1, 2, 2, 1, 0}));
  // With no set open a Shift+click appends to the last centres and calculates again.
  zones({0.5F, 1});
  click_tool(0, 0, Shift);
  EXPECT_EQ(shared_state().gMultiStopCount, 3);
  EXPECT_EQ(result(), (std::vector<double>{1, 0, 0, 2, 0}));
  EXPECT_EQ(cost(), (std::vector<double>{1, 0, 0, 1, 0}));
}

TEST_F(IsoLinkMultiTool, ClickCasesAsATable) {
  auto& state = shared_state();
  struct Case {
    const char* what;
    std::vector<float> zones;
    std::vector<std::pair<long, long>> clicks; // (modifier, button) at (1000, 0)
    std::vector<std::string> labels;           // on the map afterwards
    std::int32_t centres;                      // gMultiStopCount
    bool calculated;                           // gNetworkResultPresent
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"Ctrl before any plain click", {1, 2}, {{Ctrl, 1}}, {}, 0, false, {}},
      {"right and Ctrl+Shift clicks", {1, 2}, {{0, 2}, {Ctrl | Shift, 1}}, {}, 0, false, {}},
      {"no cut-off refuses every click", {0}, {{0, 1}}, {}, 0, false, {"Error: Create zones"}},
      {"Shift with cleared counts: one centre \" 1\"", {1, 2}, {{Shift, 1}}, {" 1"}, 1, true, {}},
      {"plain, Ctrl, Shift on one node",
       {1, 2},
       {{0, 1}, {Ctrl, 1}, {Shift, 1}},
       {"1", " 2", " 3"},
       3,
       true,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    user_->messages.clear();
    zones(c.zones);
    state.gMultiStopCount = state.gMarkerCount = 0;
    state.gCentreSetOpen = 0;
    state.gNetworkResultPresent = false;
    com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>()->DeleteAllElements();
    for (const auto& [modifier, button] : c.clicks)
      click_tool(1000, 0, modifier, button);
    EXPECT_EQ(texts_on_map(), c.labels);
    EXPECT_EQ(state.gMultiStopCount, c.centres);
    EXPECT_EQ(state.gNetworkResultPresent, c.calculated);
    EXPECT_EQ(messages(), c.messages);
  }
}

TEST_F(IsoLinkMultiTool, OneZoneWritesWithoutDrawing) {
  const auto before = network_renderer<host::HostFeatureRenderer>();
  zones({3});
  click_tool(0, 0);
  click_tool(2000, 0, Shift);
  // Link 2 is entered from its cheaper end, centre 2's own node.
  EXPECT_EQ(result(), (std::vector<double>{1, 2, 2, 2, 0}));
  EXPECT_EQ(cost(), (std::vector<double>{1, 1, 1, 2, 0}));
  EXPECT_TRUE(shared_state().gNetworkResultPresent);
  EXPECT_TRUE(network_renderer<host::HostFeatureRenderer>() == before);
  EXPECT_TRUE(stamped());
}

TEST_F(IsoLinkMultiTool, ARunThatReachesNoLinkStampsNothing) {
  zones({0.5F});
  click_tool(0, 0);
  click_tool(9000, 0, Shift);
  EXPECT_EQ(result(), (std::vector<double>(5, 0)));
  EXPECT_EQ(cost(), (std::vector<double>(5, 0)));
  EXPECT_FALSE(shared_state().gNetworkResultPresent);
  EXPECT_FALSE(stamped());
}

// A "COST" of the user's that holds text cannot take the costs: the user is told which field
// and why at the Shift+click, before its centre is drawn, and the layer's values and drawing
// stay as they were; the set stays open.
TEST_F(IsoLinkMultiTool, ATextFieldCostIsToldAndChangesNothing) {
  zones({1, 2, 3});
  add_text_field(*open("roads"), "COST");
  const auto results_before = texts(*open("roads"), "CV_RESULT");
  click_tool(0, 0);
  click_tool(4000, 0, Shift);
  ASSERT_EQ(user_->messages.size(), 1u);
  EXPECT_EQ(user_->messages[0].title, "Field Not Usable");
  EXPECT_EQ(user_->messages[0].text,
            "The network layer roads already has a field COST that holds text: the link "
            "isochrones write each link's cost into that field as a number. Rename or delete the "
            "field COST and run again; nothing was changed.");
  EXPECT_EQ(texts(*open("roads"), "CV_RESULT"), results_before);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"1"}));
  EXPECT_EQ(shared_state().gCentreSetOpen, 1);
  EXPECT_EQ(texts(*open("roads"), "COST"), (std::vector<std::string>(5, "")));
  EXPECT_FALSE(shared_state().gNetworkResultPresent);
  EXPECT_FALSE(stamped());
}

TEST_F(IsoLinkMultiTool, APlainClickClearsTheLastSetAndOtherToolsMarks) {
  auto& state = shared_state();
  zones({1, 2});
  click_tool(0, 0);
  click_tool(2000, 0, Ctrl);
  click_tool(4000, 0, Shift);
  state.gRouteStopCount = 2;
  for (const char* text : {"Start", "End", " 2", "2", "Other"})
    add_text(text, 500, 500);
  add_layer(link_copy("BatchLayer"), "Batch");
  click_tool(1000, 0);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"2", "Other", "1"}));
  EXPECT_EQ(state.gMarkerLabels[2], "0"); // the Shift+click's label, one row past the count
  EXPECT_FALSE(std::filesystem::exists(path("BatchLayer.shp")));
  EXPECT_EQ(state.gMultiStopCount, 1);
  EXPECT_EQ(state.gCentreSetOpen, 1);
}

} // namespace
} // namespace corvane
