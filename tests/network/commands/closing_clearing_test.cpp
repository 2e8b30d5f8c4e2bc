#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "com/create.h"
#include "common/check_network_ready.h"
#include "common/marker_graphic.h"
#include "common/stamp_network_edited.h"
#include "host/color.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "map/document.h"
#include "module_command.h"
#include "network/network_closing.h"
#include "network/result_clearing.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network_fixture.h"
#include "win/clock.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using testing::point;

class Closing : public testing::NetworkTest {};

TEST_F(Closing, AClickUnloadsOnceAndAlwaysLetsGoOfTheDocument) {
  auto& s = shared_state();
  engine_->loaded = true;
  s.gNetworkState = NetworkLoaded;
  s.gClosedLinkCount = 3;
  s.gDocument = document_;
  CloseLoadedNetwork();
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network Closed Successfully"});
  EXPECT_EQ(user_->messages.back().title, "Close Network");
  EXPECT_EQ(s.gNetworkState, NetworkClosed);
  EXPECT_FALSE(s.gDocument);
  EXPECT_EQ(s.gClosedLinkCount, 3) << "closing keeps the settings";

  s.gDocument = document_;
  s.gNetworkState = NetworkLoaded; // as a stale state would be
  CloseLoadedNetwork();
  EXPECT_TRUE(take_messages().empty());
  EXPECT_EQ(s.gNetworkState, NetworkLoaded);
  EXPECT_FALSE(s.gDocument);
}

TEST_F(Closing, ShutdownUnloadsSilentlyAndReleasesTheEngine) {
  auto& s = shared_state();
  for (const bool loaded : {true, false}) {
    s.gNetBase = engine_;
    engine_->loaded = loaded;
    s.gNetworkState = NetworkLoaded;
    EXPECT_EQ(ReleaseSharedEngine(), loaded);
    EXPECT_EQ(s.gNetworkState, loaded ? NetworkClosed : NetworkLoaded);
    EXPECT_FALSE(s.gNetBase);
    EXPECT_FALSE(s.gNetCalc);
    EXPECT_TRUE(user_->messages.empty());
  }
}

// The two network commands as the host makes them, over the real engine.
TEST_F(Closing, CreateNetworkIsOfferedExactlyWhileItsNetworkIsNotOpen) {
  const auto application = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&application->document());
  map()->SetDistanceUnits(host::Kilometers);
  add_roads();
  const auto create = make_command("Corvane.CreateNetwork");
  const auto close = make_command("Corvane.CloseNetwork");
  ASSERT_TRUE(create && close);
  ASSERT_EQ(create->OnCreate(application.get()), com::S_OK);
  ASSERT_EQ(close->OnCreate(application.get()), com::S_OK);
  user_->choose("Polylines", "roads");
  user_->choose("Polylines1", "CLASS");

  EXPECT_TRUE(enabled(create));
  EXPECT_FALSE(enabled(close));
  ASSERT_EQ(create->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network created successfully"});
  EXPECT_FALSE(enabled(create));
  EXPECT_TRUE(enabled(close));

  ASSERT_EQ(close->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network Closed Successfully"});
  EXPECT_TRUE(enabled(create));
  EXPECT_FALSE(enabled(close));

  ASSERT_EQ(create->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network loaded successfully"});
  EXPECT_FALSE(enabled(create));
  EXPECT_TRUE(enabled(close));
}

class Clearing : public testing::NetworkTest {
protected:
  void SetUp() override {
    NetworkTest::SetUp();
    add_roads();
    shared_state().gNetworkFolder = path();
    shared_state().gNetworkLayerName = "roads";
  }
  host::HostGraphicsContainer& graphics() {
    return *com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  }
  void add_label(const std::string& name) {
    const auto label = com::create_object<host::HostTextElement>(host::TextElementClass);
    label->SetText(name);
    const auto element = label.as<host::HostElement>();
    element->SetGeometry(point(500150, 6400050).get());
    ASSERT_EQ(graphics().AddElement(element.get(), 0), com::S_OK);
  }
  std::vector<std::string> labels() {
    std::vector<std::string> names;
    graphics().Reset();
    while (const auto element = graphics().Next())
      if (const auto text = element.as<host::HostTextElement>())
        names.push_back(text->Text());
    return names;
  }
  std::vector<std::string> layer_names() {
    std::vector<std::string> names;
    for (int i = 0; i < map()->LayerCount(); ++i)
      names.push_back(map()->Layer(i)->Name());
    return names;
  }
  void clear() { ClearResults(document_.get()); }
};

TEST_F(Clearing, RemovesTheOutputsOfTheNetworkFolderOnly) {
  const auto route =
      shapefile("Route", host::geometry_polyline, {{{500000, 6400000}, {500100, 6400000}}});
  add_layer(route, "Route");
  add_layer(route, "Route again");
  add_layer(shapefile("Route", host::geometry_polyline, {{{500000, 6400000}, {500100, 6400000}}},
                      "other"),
            "Route elsewhere");
  add_layer(shapefile("closenodes", host::geometry_point, {{{500000, 6400000}}}), "closenodes");
  add_layer(
      shapefile("IsoPoly", host::geometry_polygon,
                {{{500000, 6400000}, {500000, 6400100}, {500100, 6400100}, {500000, 6400000}}}),
      "IsoPoly");
  add_layer(shapefile("BatchIsochrone", host::geometry_polyline,
                      {{{500000, 6400000}, {500100, 6400000}}}),
            "BatchIsochrone");
  const auto table = com::create_object<host::HostStandaloneTable>(host::StandaloneTableClass);
  table->SetName("BatchRoute");
  const auto tables = com::ComPtr<host::HostMap>(map()).as<host::HostStandaloneTableCollection>();
  ASSERT_EQ(tables->AddStandaloneTable(table.get()), com::S_OK);

  clear();
  EXPECT_EQ(layer_names(), (std::vector<std::string>{"Route elsewhere", "roads"}));
  EXPECT_EQ(tables->StandaloneTableCount(), 0);
}

TEST_F(Clearing, DeletesNamedGraphicsByTheStopCountsAndMarkersAtStoredPoints) {
  auto& s = shared_state();
  for (const char* name : {"Start", "start", "End", "0", "1", "2", "3", "01"})
    add_label(name);
  s.gRouteStopCount = 2;
  s.gMultiStopCount = 0;
  s.gMarkerCount = 4;
  s.gBatchIsoPointCount = 1;
  s.gBatchIsoPoints[1] = {500300, 6400000};
  AddMarkerGraphic(map(), point(500300, 6400000).get(), MarkerStar);
  const int markers = 1;
  ASSERT_EQ(graphics().ElementCount(), 8 + markers);

  clear();
  EXPECT_EQ(labels(), (std::vector<std::string>{"start", "0", "3", "01"}));
  EXPECT_EQ(graphics().ElementCount(), 4) << "the marker at the batch centre went too";
  EXPECT_EQ(s.gBatchIsoPointCount, 0);
  EXPECT_EQ(s.gBatchIsoPoints[1].X, 0);
  EXPECT_EQ(s.gRouteStopCount, 0);
  EXPECT_EQ(s.gMarkerCount, 0);

  s.gMultiStopCount = 3;
  clear();
  EXPECT_EQ(labels(), (std::vector<std::string>{"start", "01"}));
  EXPECT_EQ(s.gMultiStopCount, 0);
}

TEST_F(Clearing, GivesTheNetworkLayerItsPlainLookOnlyWhenAResultIsShown) {
  const auto layer = roads_.as<host::HostGeoFeatureLayer>();
  const auto before = layer->Renderer();
  clear();
  EXPECT_EQ(layer->Renderer().get(), before.get());

  shared_state().gNetworkResultPresent = true;
  clear();
  const auto renderer = layer->Renderer().as<host::HostSimpleRenderer>();
  ASSERT_TRUE(renderer);
  const auto line = renderer->Symbol().as<host::HostSimpleLineSymbol>();
  ASSERT_TRUE(line);
  const auto colour = line->Color().as<host::HostRgbColor>();
  EXPECT_EQ((std::vector<int>{colour->Red(), colour->Green(), colour->Blue()}),
            (std::vector<int>{0, 135, 148}));
  EXPECT_EQ(line->Width(), 1.0);
  EXPECT_EQ(line->Style(), 0);
  EXPECT_FALSE(shared_state().gNetworkResultPresent);
}

TEST_F(Clearing, EndsEarlyWithoutTheNetworkLayerAndRefusesDuringAnEditSession) {
  auto& s = shared_state();
  add_label("Start");
  s.gRouteStopCount = 2;
  s.gEditSessionActive = true;
  clear();
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Session in edit mode"});
  EXPECT_EQ(s.gRouteStopCount, 2);

  s.gEditSessionActive = false;
  ASSERT_EQ(map()->DeleteLayer(roads_.get()), com::S_OK);
  clear();
  EXPECT_TRUE(take_messages().empty());
  EXPECT_EQ(labels(), std::vector<std::string>{"Start"}) << "nothing is removed";
  EXPECT_EQ(s.gRouteStopCount, 0) << "the counters are reset all the same";
}

class PreCheck : public testing::NetworkTest {
protected:
  void SetUp() override {
    NetworkTest::SetUp();
    add_roads();
    shared_state().gNetworkFolder = path();
    shared_state().gNetworkLayerName = "roads";
    settings::write(ini(), settings::Info, settings::RecordNo, " 4");
    set_modified("Corvane.ini", "roads.shp", 0s);
  }
};

TEST_F(PreCheck, TheFirstFailingTestSpeaks) {
  auto& s = shared_state();
  EXPECT_TRUE(CheckNetworkReady(map()));
  EXPECT_TRUE(take_messages().empty());

  s.gEditSessionActive = true;
  std::filesystem::rename(ini(), ini() + ".aside");
  EXPECT_FALSE(CheckNetworkReady(map()));
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Session in edit mode"});

  s.gEditSessionActive = false;
  EXPECT_FALSE(CheckNetworkReady(map()));
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{
                "One of the required file are missing\nClose network and create again"});
  std::filesystem::rename(ini() + ".aside", ini());

  set_modified("Corvane.ini", "roads.shp", -59s);
  EXPECT_TRUE(CheckNetworkReady(map()));
  set_modified("Corvane.ini", "roads.shp", -61s);
  EXPECT_FALSE(CheckNetworkReady(map()));
  EXPECT_EQ(take_messages(), std::vector<std::string>{
                                 "Network layer has been modified. Re-Create the network again "});
  EXPECT_EQ(user_->messages.back().icon, forms::Icon::None);

  set_modified("Corvane.ini", "roads.shp", 0s);
  ASSERT_EQ(map()->DeleteLayer(roads_.get()), com::S_OK);
  EXPECT_FALSE(CheckNetworkReady(map()));
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network layer not found"});
  EXPECT_TRUE(CheckNetworkReady(nullptr)) << "without a map the layer is not looked for";
}

TEST_F(PreCheck, TheStampCarriesTheTimeOneMinuteAhead) {
  const char* zone = std::getenv("TZ");
  const std::string saved = zone ? zone : "";
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  win::clock::set(std::chrono::sys_days{std::chrono::year{2026} / 3 / 4} + 23h + 59min + 30s);
  set_modified("Corvane.ini", "roads.shp", -10min);
  StampNetworkEdited();
  EXPECT_EQ(ini_value(settings::Info, settings::Edited), "03/04/26 12.00.30 AM");
  EXPECT_TRUE(CheckNetworkReady(map())) << "the write renewed the file's time";
  if (zone)
    ::setenv("TZ", saved.c_str(), 1);
  else
    ::unsetenv("TZ");
  ::tzset();
}

// After a computed result only the stamp is missing, and the message says no more than that.
TEST_F(PreCheck, AStampThatCannotBeWrittenSaysWhatIsNotSaved) {
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
  take_messages();
  StampNetworkEdited();
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_all);
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{
                ini() + " could not be written: it is read-only. The edit stamp (\"EDITED\") is "
                        "not saved."});
}

} // namespace
} // namespace corvane
