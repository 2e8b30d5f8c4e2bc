#include "batch_iso_fixture.h"

#include "dialogs/frame/frm_error.h"
#include "dialogs/isochrones/legend.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

void BatchIsoTest::SetUp() {
  BatchRouteTest::SetUp();
  give_network_a_projection();
  set_zones({1, 2});
  auto& state = shared_state();
  state.gAllowOverlap = Overlap::None;
  state.gDoughnut = false;
  state.gClipMode = ClipMode::Off;
  iso_command_ = com::make<BatchIsoChrone>();
  ASSERT_EQ(iso_command_->OnCreate(application_.get()), com::S_OK);
}

void BatchIsoTest::TearDown() {
  iso_command_ = nullptr;
  BatchRouteTest::TearDown();
}

void BatchIsoTest::clip_to(const std::string& name, const std::vector<std::vector<double>>& boxes) {
  std::vector<host::Path> rings;
  for (const auto& b : boxes)
    rings.push_back({{b[0], b[1]}, {b[0], b[3]}, {b[2], b[3]}, {b[2], b[1]}, {b[0], b[1]}});
  add_layer(shapefile(name, host::geometry_polygon, rings, name), name);
  shared_state().gClipMode = ClipMode::ToLayer;
  shared_state().gClipLayerName = name;
}

void BatchIsoTest::run(const BatchIsoChoice& choice) {
  if (choice.mode == BatchIsoLinkIsochrones)
    person_->expect<Legend>("Legend", [choice](Legend& legend) {
      EXPECT_EQ(legend.Perform(choice.legend, {forms::Gesture::Click, ""}), "");
      EXPECT_EQ(legend.Perform("Commandok", {forms::Gesture::Click, ""}), "");
    });
  run_with([choice](FrmBatchIsochrone& dialog) {
    EXPECT_EQ(dialog.Perform("CmdTab", {forms::Gesture::Set, choice.layer}), "");
    EXPECT_EQ(dialog.Perform("CmdFild", {forms::Gesture::Set, choice.field}), "");
    const char* option = choice.mode == BatchIsoZonePolygons     ? "RadVoronoi"
                         : choice.mode == BatchIsoLinkIsochrones ? "RadLnkIso"
                                                                 : "RadCloCen";
    EXPECT_EQ(dialog.Perform(option, {forms::Gesture::Click, ""}), "");
    EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "");
  });
}

void BatchIsoTest::run_with(std::function<void(FrmBatchIsochrone&)> script) {
  person_->expect<FrmBatchIsochrone>("FrmBatchIsochrone", std::move(script));
  person_->expect<FrmError>("FrmError", [this](FrmError& errors) {
    problems_.clear();
    for (int i = 0; i < errors.List1.ListCount(); ++i)
      problems_.push_back(errors.List1.List(i));
    errors.Command1.Click();
  });
  problems_.clear();
  polls_ = 0;
  messages_before_ = person_->messages.size();
  EXPECT_EQ(iso_command_->OnClick(), com::S_OK);
}

std::vector<std::string> BatchIsoTest::messages() const {
  std::vector<std::string> shown;
  for (std::size_t i = messages_before_; i < person_->messages.size(); ++i)
    shown.push_back(person_->messages[i].title + ": " + person_->messages[i].text);
  return shown;
}

std::vector<std::string> BatchIsoTest::layers() {
  std::vector<std::string> names;
  for (int i = 0; i < map()->LayerCount(); ++i)
    names.push_back(map()->Layer(i)->Name());
  return names;
}

int BatchIsoTest::flags() {
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  int count = 0;
  for (auto element = graphics->Next(); element; element = graphics->Next())
    count += element.as<host::HostMarkerElement>() ? 1 : 0;
  return count;
}

std::vector<double> BatchIsoTest::output_numbers(const std::string& field) {
  const auto output = open("BatchIsochrone");
  return output ? numbers(*output, field) : std::vector<double>{};
}

std::vector<std::string> BatchIsoTest::output_texts(const std::string& field) {
  const auto output = open("BatchIsochrone");
  return output ? texts(*output, field) : std::vector<std::string>{};
}

} // namespace corvane::testing
