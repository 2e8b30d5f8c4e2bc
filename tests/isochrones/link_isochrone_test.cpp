#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/handler_end.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "isochrones/link_isochrone.h"
#include "network/shared_state.h"
#include "route_network.h"

namespace corvane {
namespace {

using host::Path;
using testing::Road;

// A row of four 1 km links from (0, 0) east, and a lone link far off:
//   (0,0) -1- (1000,0) -2- (2000,0) -3- (3000,0) -4- (4000,0)      (9000,0) -5- (10000,0)
std::vector<Road> row() {
  std::vector<Road> roads;
  for (int k = 0; k < 4; ++k)
    roads.push_back({{{k * 1000.0, 0}, {(k + 1) * 1000.0, 0}}, "Row"});
  roads.push_back({{{9000, 0}, {10000, 0}}, "Lone"});
  return roads;
}

class LinkIsochroneTool : public testing::RouteNetworkTest {
protected:
  void SetUp() override {
    RouteNetworkTest::SetUp();
    // The tool reaches the map through the application's document.
    app_ = com::make<host::Application>();
    document_ = com::ComPtr<host::Document>(&app_->document());
    tool_ = com::make<LinkIsochrone>();
    ASSERT_EQ(tool_->OnCreate(app_.get()), com::S_OK);
  }
  void TearDown() override {
    RouteNetworkTest::TearDown();
    tool_ = nullptr;
    app_ = nullptr;
  }
  void zones(const std::vector<float>& limits) {
    auto& state = shared_state();
    state.gZoneCount = static_cast<std::int32_t>(limits.size());
    state.gZoneValues.reallocate(state.gZoneCount);
    state.gZoneMax = 0;
    for (std::size_t i = 0; i < limits.size(); ++i) {
      state.gZoneValues[static_cast<std::int32_t>(i + 1)] = limits[i];
      state.gZoneMax = limits[i];
    }
  }
  void click_tool(double x, double y, long button = 1, long shift = 0) {
    const auto transformation = document_->ActiveView()->ScreenDisplay()->DisplayTransformation();
    int px = 0;
    int py = 0;
    ASSERT_EQ(transformation->FromMapPoint(testing::point(x, y).get(), &px, &py), com::S_OK);
    ASSERT_EQ(tool_->OnMouseDown(button, shift, px, py), com::S_OK);
  }
  com::ComPtr<host::HostClassBreaksRenderer> bands() {
    const auto layer = map()->Layer(0).as<host::HostGeoFeatureLayer>();
    return layer->Renderer().as<host::HostClassBreaksRenderer>();
  }
  std::vector<std::string> texts_on_map() {
    std::vector<std::string> found;
    const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
    graphics->Reset();
    for (auto element = graphics->Next(); element; element = graphics->Next())
      if (const auto text = element.as<host::HostTextElement>())
        found.push_back(text->Text());
    return found;
  }
  com::ComPtr<host::Application> app_;
  com::ComPtr<LinkIsochrone> tool_;
};

TEST_F(LinkIsochroneTool, OneClickBandsEveryLinkByItsCost) {
  build_network(row());
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
  build_network(row());
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

TEST_F(LinkIsochroneTool, ReplacesItsFlagAndClearsNumberedLabels) {
  build_network(row());
  zones({1, 2});
  auto& state = shared_state();
  state.gRouteStopCount = 2;
  state.gMultiStopCount = 3;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  for (const char* text : {"Start", "End", "1", " 2", " 3", " 4", "2", "Other"}) {
    const auto label = corvane::create<host::HostTextElement>(host::TextElementClass);
    label->SetText(text);
    label.as<host::HostElement>()->SetGeometry(testing::point(500, 500).get());
    ASSERT_EQ(graphics->AddElement(label.as<host::HostElement>().get(), 0), com::S_OK);
  }
  click_tool(0, 0);
  click_tool(2000, 0);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{" 4", "2", "Other"}));
  // One flag only, at the second centre.
  int markers = 0;
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next())
    markers += element.as<host::HostMarkerElement>() ? 1 : 0;
  EXPECT_EQ(markers, 1);
  EXPECT_EQ(state.gLinkCentre.X, 2000);
}

} // namespace
} // namespace corvane
