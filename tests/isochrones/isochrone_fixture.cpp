#include "isochrone_fixture.h"

#include "common/layer_lookup.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

std::vector<Road> row_of_four() {
  std::vector<Road> roads;
  for (int k = 0; k < 4; ++k)
    roads.push_back({{{k * 1000.0, 0}, {(k + 1) * 1000.0, 0}}, "Row"});
  roads.push_back({{{9000, 0}, {10000, 0}}, "Lone"});
  return roads;
}

void IsochroneTest::SetUp() {
  RouteNetworkTest::SetUp();
  // The commands reach the map through the application's document.
  app_ = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&app_->document());
}

void IsochroneTest::TearDown() {
  RouteNetworkTest::TearDown();
  app_ = nullptr;
}

void IsochroneTest::create(host::ICommand& command) {
  ASSERT_EQ(command.OnCreate(app_.get()), com::S_OK);
}

void IsochroneTest::zones(const std::vector<float>& limits) {
  set_zones(limits);
}

com::HRESULT IsochroneTest::mouse_down(host::ITool& tool, double x, double y, long button,
                                       long shift) {
  const auto transformation = document_->ActiveView()->ScreenDisplay()->DisplayTransformation();
  int px = 0;
  int py = 0;
  EXPECT_EQ(transformation->FromMapPoint(point(x, y).get(), &px, &py), com::S_OK);
  return tool.OnMouseDown(button, shift, px, py);
}

void IsochroneTest::click_tool(host::ITool& tool, double x, double y, long button, long shift) {
  EXPECT_EQ(mouse_down(tool, x, y, button, shift), com::S_OK);
}

int IsochroneTest::markers_on_map() {
  int markers = 0;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next())
    markers += element.as<host::HostMarkerElement>() ? 1 : 0;
  return markers;
}

template <class R> com::ComPtr<R> IsochroneTest::network_renderer() {
  const auto index = FindLayerIndex(map(), shared_state().gNetworkLayerName, "L");
  return map()->Layer(index).as<host::HostGeoFeatureLayer>()->Renderer().as<R>();
}

template com::ComPtr<host::HostClassBreaksRenderer> IsochroneTest::network_renderer();
template com::ComPtr<host::HostUniqueValueRenderer> IsochroneTest::network_renderer();
template com::ComPtr<host::HostFeatureRenderer> IsochroneTest::network_renderer();

} // namespace corvane::testing
