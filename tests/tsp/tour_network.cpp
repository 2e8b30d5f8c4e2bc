#include "tour_network.h"

#include <algorithm>
#include <cmath>

#include "com/create.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

namespace {

std::string at(double x, double y) {
  const auto whole = [](double v) { return std::to_string(static_cast<long>(std::lround(v))); };
  return whole(x) + "," + whole(y);
}

} // namespace

void TourTest::SetUp() {
  GazetteerTest::SetUp();
  std::vector<Road> roads;
  for (int y = 0; y <= 200; y += 100)
    for (int x = 0; x <= 300; x += 100) {
      if (x < 300)
        roads.push_back(
            {{{double(x), double(y)}, {x + 100.0, double(y)}}, "Row " + std::to_string(y)});
      if (y < 200)
        roads.push_back(
            {{{double(x), double(y)}, {double(x), y + 100.0}}, "Col " + std::to_string(x)});
    }
  roads.push_back({{{1000, 0}, {1100, 0}}, "Island"});
  build_network(roads);
  tool_ = com::make<TspFinal>();
  ASSERT_EQ(tool_->OnCreate(app_.get()), com::S_OK);
  select_tool();
}

void TourTest::select_tool() {
  bool enabled = false;
  ASSERT_EQ(tool_->Enabled(&enabled), com::S_OK);
  ASSERT_TRUE(enabled);
  ASSERT_EQ(tool_->OnClick(), com::S_OK);
}

void TourTest::tool_click(double x, double y, long shift) {
  const auto transformation = document_->ActiveView()->ScreenDisplay()->DisplayTransformation();
  int px = 0;
  int py = 0;
  ASSERT_EQ(transformation->FromMapPoint(point(x, y).get(), &px, &py), com::S_OK);
  ASSERT_EQ(tool_->OnMouseDown(1, shift, px, py), com::S_OK);
}

std::vector<std::string> TourTest::placed_labels() {
  std::vector<std::string> found;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next())
    if (const auto text = element.as<host::HostTextElement>()) {
      auto shown = text->Text();
      std::replace(shown.begin(), shown.end(), '\n', '|');
      const auto where = element.as<host::HostElement>()->Geometry().as<host::HostPoint>();
      found.push_back(shown + "@" + at(where->X(), where->Y()));
    }
  return found;
}

std::vector<std::string> TourTest::markers() {
  std::vector<std::string> found;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next())
    if (element.as<host::HostMarkerElement>()) {
      const auto where = element.as<host::HostElement>()->Geometry().as<host::HostPoint>();
      found.push_back(at(where->X(), where->Y()));
    }
  return found;
}

std::vector<std::string> TourTest::tour() {
  std::vector<std::string> nodes;
  const auto& state = shared_state();
  for (std::int32_t p = 0; p <= state.gMultiStopCount; ++p)
    nodes.push_back(at(base_->GetNodeX(state.gStopNodes[p]), base_->GetNodeY(state.gStopNodes[p])));
  return nodes;
}

bool TourTest::stamped() const {
  return settings_text().find("EDITED") != std::string::npos;
}

} // namespace corvane::testing
