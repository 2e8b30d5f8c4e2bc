#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/create.h"
#include "data/data_classes.h"
#include "host/layer.h"
#include "host/workspace.h"
#include "map/document.h"
#include "map/map_classes.h"
#include "module_command.h"
#include "network/state/shared_state.h"
#include "support/stub_engine.h"

namespace corvane {
namespace {

// The commands whose rule is exactly "the engine reports a network as loaded".
const std::vector<std::string> plain_rule = {"Corvane.CloseNetwork",
                                             "Corvane.ClearResult",
                                             "Corvane.RoutClr",
                                             "Corvane.RouteOptions",
                                             "Corvane.SelectionByLocation",
                                             "Corvane.BatchRoute",
                                             "Corvane.Isochrone",
                                             "Corvane.LinkIsochrone",
                                             "Corvane.IsoLinkMulti",
                                             "Corvane.IsoPoly",
                                             "Corvane.MultyPoly",
                                             "Corvane.IsoPoly3",
                                             "Corvane.BatchIsoChrone",
                                             "Corvane.TspOption",
                                             "Corvane.TspTables",
                                             "Corvane.CloseLink",
                                             "Corvane.SetDynSpeed",
                                             "Corvane.SpeedSet",
                                             "Corvane.UpdateClass",
                                             "Corvane.CulDeSac",
                                             "Corvane.ParallelLink",
                                             "Corvane.SubNet",
                                             "Corvane.CloseNode",
                                             "Corvane.AddNodeShp",
                                             "Corvane.UnusedLink",
                                             "Corvane.PseudoNodes"};

class EnabledTest : public ::testing::Test {
protected:
  void SetUp() override { reset_shared_state(); }
  void TearDown() override { reset_shared_state(); }

  // A network loaded in the engine, as the opening leaves it.
  void load() {
    engine_->loaded = true;
    state().gNetBase = engine_;
    state().gNetworkState = NetworkLoaded;
  }
  void close() {
    engine_->loaded = false;
    state().gNetworkState = NetworkClosed;
  }
  SharedState& state() { return shared_state(); }
  std::size_t unloads() const { return testing::call_count(engine_calls_, "Unload"); }

  testing::CallLog engine_calls_;
  com::ComPtr<testing::StubNetBase> engine_ = com::make<testing::StubNetBase>(&engine_calls_);
};

struct Phase {
  const char* name;
  bool analysis_enabled;
};

TEST_F(EnabledTest, AnalysisCommandsFollowTheEngineOthersStayAvailable) {
  std::vector<com::ComPtr<host::ICommand>> analysis;
  for (const auto& id : plain_rule)
    analysis.push_back(make_command(id));
  const auto create = make_command("Corvane.CreateNetwork");
  const auto about = make_command("Corvane.About");
  const auto help = make_command("Corvane.Help");

  const auto expect_phase = [&](const Phase& phase) {
    for (std::size_t i = 0; i < analysis.size(); ++i)
      EXPECT_EQ(enabled(analysis[i]), phase.analysis_enabled) << plain_rule[i] << " " << phase.name;
    EXPECT_TRUE(enabled(create)) << phase.name;
    EXPECT_TRUE(enabled(about)) << phase.name;
    EXPECT_TRUE(enabled(help)) << phase.name;
  };

  expect_phase({"before a load", false});
  state().gNetBase = engine_;
  expect_phase({"with an engine that has loaded nothing", false});
  load();
  expect_phase({"while loaded", true});
  state().gEditSessionActive = true;
  expect_phase({"while loaded during an edit session", true});
  close();
  expect_phase({"after closing", false});
}

TEST_F(EnabledTest, OpenRoadAndDefaultSpeedNeedSomethingToUndo) {
  const auto open_link = make_command("Corvane.OpenLink");
  const auto set_def = make_command("Corvane.SetDef");
  state().gClosedLinkCount = 1;
  state().gTempSpeedCount = 1;
  EXPECT_FALSE(enabled(open_link)) << "nothing loaded";
  EXPECT_FALSE(enabled(set_def)) << "nothing loaded";
  load();
  EXPECT_TRUE(enabled(open_link));
  EXPECT_TRUE(enabled(set_def));
  state().gClosedLinkCount = 0;
  state().gTempSpeedCount = 0;
  EXPECT_FALSE(enabled(open_link));
  EXPECT_FALSE(enabled(set_def));
}

TEST_F(EnabledTest, MultiCentreToolsDropAnOpenSetWithoutANetwork) {
  for (const char* id : {"Corvane.IsoLinkMulti", "Corvane.MultyPoly"}) {
    const auto tool = make_command(id);
    load();
    state().gCentreSetOpen = 1;
    EXPECT_TRUE(enabled(tool));
    EXPECT_EQ(state().gCentreSetOpen, 1) << id << " keeps the set while loaded";
    close();
    EXPECT_FALSE(enabled(tool));
    EXPECT_EQ(state().gCentreSetOpen, 0) << id;
  }
}

TEST_F(EnabledTest, CreateNetworkIsAvailableUnlessItsOwnNetworkIsOpen) {
  const auto create = make_command("Corvane.CreateNetwork");
  for (auto network_state : {NetworkNeverLoaded, NetworkLoaded, NetworkClosed}) {
    state().gNetworkState = network_state;
    load();
    state().gNetworkState = network_state;
    // The shared engine object is not the command's own: only that one can keep it disabled.
    EXPECT_TRUE(enabled(create)) << network_state;
  }
}

// With the host's own application, document and editor.
class HostEnabledTest : public EnabledTest {
protected:
  com::ComPtr<host::Application> app_ = com::make<host::Application>();
};

TEST_F(HostEnabledTest, TheTspToolRefreshesTheEditSessionFlag) {
  const auto tsp = make_command("Corvane.TspFinal");
  bool answer = true;
  EXPECT_EQ(tsp->OnCreate(engine_.get()), com::S_OK) << "a hook of another kind is ignored";
  EXPECT_TRUE(com::FAILED(tsp->Enabled(&answer))) << "no application was kept";
  EXPECT_FALSE(answer);

  ASSERT_EQ(tsp->OnCreate(app_.get()), com::S_OK);
  ASSERT_EQ(app_->editor().StartEditing(), com::S_OK);
  EXPECT_FALSE(enabled(tsp)) << "not loaded";
  EXPECT_TRUE(state().gEditSessionActive);
  load();
  EXPECT_TRUE(enabled(tsp)) << "the flag does not disable the tool itself";
  ASSERT_EQ(app_->editor().StopEditing(false), com::S_OK);
  EXPECT_TRUE(enabled(tsp));
  EXPECT_FALSE(state().gEditSessionActive);
}

// The sample roads as a layer of the focus map, named as the network opening names it.
com::ComPtr<host::HostLayer> add_sample_roads(host::HostMap& map) {
  const std::string folder = CORVANE_SOURCE_DIR "/data/sample/gothenburg";
  com::ComPtr<host::HostWorkspaceFactory> factory;
  for (const auto& c : host::data_classes())
    if (c.prog_id == host::ShapefileWorkspaceFactoryClass)
      factory = c.create().as<host::HostWorkspaceFactory>();
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(folder, 0, &workspace), com::S_OK);
  com::ComPtr<host::HostFeatureClass> roads;
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->OpenFeatureClass("roads", &roads),
            com::S_OK);
  auto layer = host::create_map_object(host::FeatureLayerClass).as<host::HostFeatureLayer>();
  layer->SetFeatureClass(roads.get());
  layer->SetName("roads");
  EXPECT_EQ(map.AddLayer(layer.get()), com::S_OK);
  shared_state().gNetworkFolder = workspace->PathName();
  shared_state().gNetworkLayerName = "roads";
  return layer;
}

TEST_F(HostEnabledTest, TheRouteToolClosesANetworkWhoseLayerHasGone) {
  const auto route = make_command("Corvane.Routefinal");
  ASSERT_EQ(route->OnCreate(app_.get()), com::S_OK);
  const auto map = app_->Document()->FocusMap();
  const auto roads = add_sample_roads(*map);

  EXPECT_FALSE(enabled(route)) << "nothing loaded";
  load();
  EXPECT_TRUE(enabled(route));
  EXPECT_EQ(unloads(), 0U);

  ASSERT_EQ(map->DeleteLayer(roads.get()), com::S_OK);
  EXPECT_FALSE(enabled(route));
  EXPECT_EQ(unloads(), 1U);
  EXPECT_EQ(state().gNetworkState, NetworkClosed);
  EXPECT_FALSE(enabled(route));
  EXPECT_EQ(unloads(), 1U) << "an unloaded network is not unloaded again";
}

TEST_F(HostEnabledTest, CloseNetworkPublishesTheDocument) {
  const auto close_network = make_command("Corvane.CloseNetwork");
  ASSERT_EQ(close_network->OnCreate(app_.get()), com::S_OK);
  EXPECT_TRUE(com::same_object(state().gDocument, app_->Document()));
}

} // namespace
} // namespace corvane
