#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "isochrone_fixture.h"
#include "isochrones/link_isochrone.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

class LinkIsochroneTool : public testing::IsochroneTest {
protected:
  void SetUp() override {
    IsochroneTest::SetUp();
    tool_ = com::make<LinkIsochrone>();
    create(*tool_);
  }
  void TearDown() override {
    tool_ = nullptr;
    IsochroneTest::TearDown();
  }
  void click_tool(double x, double y, long button = 1, long shift = 0) {
    IsochroneTest::click_tool(*tool_, x, y, button, shift);
  }
  com::ComPtr<host::HostClassBreaksRenderer> bands() {
    return network_renderer<host::HostClassBreaksRenderer>();
  }
  com::ComPtr<LinkIsochrone> tool_;
};

TEST_F(LinkIsochroneTool, OneClickBandsEveryLinkByItsCost) {
  build_network(testing::row_of_four());
  shared_state().gRouteType = RouteFastest; // 30 km/h: 2 minutes a link
  zones({2, 4, 5});
  click_tool(1000, 0);
  // Far-end costs from (1000, 0); link 4 is reached wholly only at 6 minutes, beyond the cut-off.
  EXPECT_EQ(numbers(*open("roads"), "CV_RESULT"), (std::vector<double>{2, 2, 4, 0, 0}));
  EXPECT_TRUE(shared_state().gNetworkResultPresent);
  EXPECT_EQ(shared_state().gLinkCentre.X, 1000);
  EXPECT_NE(settings_text().find("EDITED"), std::string::npos);

  const auto renderer = bands();
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->Field(), "CV_RESULT");
  ASSERT_EQ(renderer->BreakCount(), 4);
  EXPECT_DOUBLE_EQ(renderer->MinimumBreak(), -0.001);
  const std::vector<std::string> labels{"", "0 - 2 Minutes", "2-4 Minutes", "4-5 Minutes"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(renderer->Label(i), labels[i]) << "class " << i;
  EXPECT_EQ(renderer->ClassOf(0), 0);
  EXPECT_EQ(renderer->ClassOf(2), 1);
  EXPECT_EQ(renderer->ClassOf(4), 2);
  const auto zero = renderer->Symbol(0).as<host::HostSimpleLineSymbol>();
  EXPECT_DOUBLE_EQ(zero->Width(), 1.0);
  EXPECT_DOUBLE_EQ(renderer->Symbol(3).as<host::HostSimpleLineSymbol>()->Width(), 3.0);
  const auto look = renderer.as<host::HostClassBreaksUIProperties>();
  EXPECT_EQ(look->ColorRamp(), "MyCustomRamp");
  EXPECT_FLOAT_EQ(static_cast<float>(look->LowBreak(3)), 0.001F);
}

TEST_F(LinkIsochroneTool, ClickCasesAsATable) {
  build_network(testing::row_of_four());
  struct Case {
    const char* what;
    std::vector<float> zones;
    long button, shift;
    std::vector<std::string> result; // "CV_RESULT" of links 1..5 afterwards
    bool renders;
    std::vector<std::string> messages;
  };
  // Shortest, in km; the refusals come first, while nothing was ever written.
  const std::vector<std::string> none(5, "");
  const std::vector<std::string> up_to_3{"1", "2", "3", "0", "0"};
  const std::vector<Case> cases = {
      {"no zones refuses before anything", {}, 1, 0, none, false, {"Error: Create zones"}},
      {"a largest limit of 0 refuses", {0}, 1, 0, none, false, {"Error: Create zones"}},
      {"one zone writes but keeps the drawing", {3}, 1, 0, up_to_3, false, {}},
      {"a right click with Ctrl runs all the same", {1, 3}, 2, 2, up_to_3, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    user_->messages.clear();
    zones(c.zones);
    const auto before = map()->Layer(0).as<host::HostGeoFeatureLayer>()->Renderer();
    click_tool(0, 0, c.button, c.shift);
    EXPECT_EQ(texts(*open("roads"), "CV_RESULT"), c.result);
    EXPECT_EQ(map()->Layer(0).as<host::HostGeoFeatureLayer>()->Renderer() != before, c.renders);
    EXPECT_EQ(messages(), c.messages);
  }
}

TEST_F(LinkIsochroneTool, ACentreTheEngineCannotFindIsRefusedWithItsText) {
  build_network(testing::row_of_four());
  zones({3});
  shared_state().gNetBase->Unload();
  click_tool(0, 0, 1, 0);
  EXPECT_EQ(messages(), std::vector<std::string>{"Error: The nearest network node could not be "
                                                 "found: Error = Network not loaded"});
  // The earlier result is cleared before the click is snapped; no cost is written.
  EXPECT_EQ(texts(*open("roads"), "CV_RESULT"), std::vector<std::string>(5, "0"));
}

TEST_F(LinkIsochroneTool, ReplacesItsFlagAndClearsNumberedLabels) {
  build_network(testing::row_of_four());
  zones({1, 2});
  auto& state = shared_state();
  state.gRouteStopCount = 2;
  state.gMultiStopCount = 3;
  for (const char* text : {"Start", "End", "1", " 2", " 3", " 4", "2", "4", "Other"})
    add_text(text, 500, 500);
  click_tool(0, 0);
  click_tool(2000, 0);
  // Centre labels (" 2") up to the larger count; plain numbers are not this tool's.
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{" 4", "2", "4", "Other"}));
  // One flag only, at the second centre.
  EXPECT_EQ(markers_on_map(), 1);
  EXPECT_EQ(state.gLinkCentre.X, 2000);
}

} // namespace
} // namespace corvane
