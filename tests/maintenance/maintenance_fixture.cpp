#include "maintenance_fixture.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "common/apply_engine_settings.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "module_command.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

namespace {

constexpr double origin_x = 500000;
constexpr double origin_y = 6400000;

XY at(XY point) {
  return {origin_x + point.x, origin_y + point.y};
}

} // namespace

void MaintenanceTest::SetUp() {
  NetworkTest::SetUp();
  app_ = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&app_->document());
  map()->SetDistanceUnits(host::Kilometers);
  create_ = command("Corvane.CreateNetwork");
  close_ = command("Corvane.CloseNetwork");
  user_->choose("Polylines", "roads");
  user_->choose("Polylines1", "CLASS");
}

void MaintenanceTest::TearDown() {
  if (const auto& base = shared_state().gNetBase)
    base->Unload();
  create_ = nullptr;
  close_ = nullptr;
  NetworkTest::TearDown();
  app_ = nullptr;
}

void MaintenanceTest::build(const std::vector<host::Path>& links,
                            const std::vector<double>& classes) {
  add_roads(links, classes);
  ASSERT_EQ(create_->OnClick(), com::S_OK);
  ASSERT_EQ(take_messages(), std::vector<std::string>{"Network created successfully"});
}

void MaintenanceTest::build() {
  build({{at(A), at(B)}, {at(B), at(C)}, {at(A), at(D)}, {at(D), at(C)}}, {1, 1, 2, 2});
}

void MaintenanceTest::reopen() {
  ASSERT_EQ(close_->OnClick(), com::S_OK);
  ASSERT_EQ(create_->OnClick(), com::S_OK);
  ASSERT_EQ(take_messages(), (std::vector<std::string>{"Network Closed Successfully",
                                                       "Network loaded successfully"}));
}

com::ComPtr<host::ICommand> MaintenanceTest::command(std::string_view prog_id) {
  auto made = make_command(prog_id);
  EXPECT_TRUE(made) << prog_id;
  if (made) {
    EXPECT_EQ(made->OnCreate(app_.get()), com::S_OK);
  }
  return made;
}

bool MaintenanceTest::select(const com::ComPtr<host::ICommand>& tool) {
  return tool->OnClick() == com::S_OK;
}

void MaintenanceTest::click(const com::ComPtr<host::ICommand>& tool, XY point) {
  const auto transformation = document_->ActiveView()->ScreenDisplay()->DisplayTransformation();
  int px = 0;
  int py = 0;
  const auto map_point = at(point);
  ASSERT_EQ(transformation->FromMapPoint(testing::point(map_point.x, map_point.y).get(), &px, &py),
            com::S_OK);
  ASSERT_EQ(tool.as<host::ITool>()->OnMouseDown(1, 0, px, py), com::S_OK);
}

XY MaintenanceTest::along(XY from, XY to, double ratio) {
  return {from.x + (to.x - from.x) * ratio, from.y + (to.y - from.y) * ratio};
}

void MaintenanceTest::on_form(std::string_view form, std::function<void(forms::IForm&)> act) {
  user_->handlers[std::string(form)] = std::move(act);
}

float MaintenanceTest::route_cost(XY from, XY to) {
  auto& state = shared_state();
  ApplyEngineSettings();
  std::int32_t nodes[2] = {};
  std::int32_t second = 0;
  const XY points[2] = {from, to};
  for (int i = 0; i < 2; ++i) {
    const auto point = at(points[i]);
    EXPECT_EQ(state.gNetBase->FindNearestNode(point.x, point.y, nodes[i], second), 0);
  }
  return state.gNetCalc->SolveRoute(nodes[0], nodes[1]);
}

std::vector<XY> MaintenanceTest::markers() {
  std::vector<XY> found;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  while (const auto element = graphics->Next()) {
    if (!element.as<host::HostMarkerElement>())
      continue;
    const auto point = element->Geometry().as<host::HostPoint>();
    found.push_back({point->X() - origin_x, point->Y() - origin_y});
  }
  return found;
}

std::string MaintenanceTest::ini_text() const {
  std::ifstream file(ini(), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

::testing::AssertionResult same_points(const std::vector<XY>& actual,
                                       const std::vector<XY>& expected) {
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure()
           << actual.size() << " points where " << expected.size() << " were expected";
  for (std::size_t i = 0; i < actual.size(); ++i)
    if (std::abs(actual[i].x - expected[i].x) > 1e-6 ||
        std::abs(actual[i].y - expected[i].y) > 1e-6)
      return ::testing::AssertionFailure()
             << "point " << i << " is (" << actual[i].x << ", " << actual[i].y << "), not ("
             << expected[i].x << ", " << expected[i].y << ")";
  return ::testing::AssertionSuccess();
}

} // namespace corvane::testing
