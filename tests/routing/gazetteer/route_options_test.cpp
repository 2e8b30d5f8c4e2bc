#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/layer_lookup.h"
#include "dialogs/routing/routeoptpro.h"
#include "gazetteer_network.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::act;

class RouteOptionsTest : public testing::GazetteerTest {
protected:
  void SetUp() override {
    GazetteerTest::SetUp();
    build();
  }

  void options(std::function<void(Routeoptpro&)> script) {
    person_->expect<Routeoptpro>("Routeoptpro", std::move(script));
    ASSERT_TRUE(run_route_options());
  }
  std::string ini(std::string_view key) const {
    return settings::read(NetworkIniFile(path()), settings::Info, key);
  }
};

TEST_F(RouteOptionsTest, OkKeepsEveryChoiceAndGivesTheEngineTheUnits) {
  std::string offered;
  options([&](Routeoptpro& d) {
    offered = d.CmbFName.Text();
    act(d, "OptFirstest", Gesture::Click);
    act(d, "RadMi", Gesture::Click);
    act(d, "OptYes", Gesture::Click);
    act(d, "CmdOk", Gesture::Click);
  });
  const auto& state = shared_state();
  EXPECT_EQ(offered, "NAME");
  EXPECT_EQ(state.gRouteType, RouteFastest);
  EXPECT_EQ(state.gDistUnits, "Miles");
  EXPECT_EQ(state.gUseDescField, 1);
  EXPECT_EQ(state.gDescFieldName, "NAME");
  EXPECT_EQ(state.gDescOption, 1);
  EXPECT_EQ(ini(settings::RouteType), "Fastest");
  EXPECT_EQ(ini(settings::OcxDistUnits), "Miles");
  EXPECT_EQ(ini(settings::DescFieldName), "NAME");
  EXPECT_EQ(base_->GetDistanceUnits(), 1);
  EXPECT_TRUE(shown().empty());
}

// A settings file that cannot be replaced is named; the dialog stays open and the file as it was.
TEST_F(RouteOptionsTest, OkOnAnUnwritableSettingsFileSaysSoAndStaysOpen) {
  const auto file = NetworkIniFile(path());
  const auto route_type = ini(settings::RouteType);
  const auto units = base_->GetDistanceUnits();
  const auto describes = shared_state().gUseDescField;
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  bool still_open = false;
  options([&](Routeoptpro& d) {
    act(d, "OptFirstest", Gesture::Click);
    act(d, "RadMi", Gesture::Click);
    act(d, "OptYes", Gesture::Click);
    act(d, "CmdOk", Gesture::Click);
    still_open = d.Visible();
  });
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Error: " + file +
                         " could not be written: it is read-only. The change is not saved."});
  EXPECT_EQ(ini(settings::RouteType), route_type);
  // Nothing of the refused choice took effect: not the engine's units, not the descriptions.
  EXPECT_EQ(base_->GetDistanceUnits(), units);
  EXPECT_EQ(shared_state().gUseDescField, describes);
}

// The dialog goes by the first letter of the stored route type, as it always did; any other
// text leaves the route type and the shown choice as they were.
TEST_F(RouteOptionsTest, ShowsTheStoredRouteTypeByItsFirstLetter) {
  const struct {
    std::string_view stored;
    bool fastest_shown;
    std::int32_t route_type; // while the dialog is open
  } cases[] = {{"Fast roads", true, RouteFastest},
               {"Slow", false, RouteShortest},
               {"fastest", false, RouteFastest},
               {"", false, RouteFastest}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored));
    shared_state().gRouteType = RouteFastest;
    settings::write(NetworkIniFile(path()), settings::Info, settings::RouteType, c.stored);
    bool fastest_shown = false;
    std::int32_t route_type = 0;
    options([&](Routeoptpro& d) {
      fastest_shown = d.OptFirstest.Value();
      route_type = shared_state().gRouteType;
      act(d, "CmdCancel", Gesture::Click);
    });
    EXPECT_EQ(fastest_shown, c.fastest_shown);
    EXPECT_EQ(route_type, c.route_type);
  }
}

TEST_F(RouteOptionsTest, CancelAndTheFrameGiveBackWhatOpeningAndTheUnitButtonsChanged) {
  settings::write(NetworkIniFile(path()), settings::Info, settings::RouteType, "Fastest");
  for (const bool by_frame : {false, true}) {
    bool fastest_shown = false;
    options([&](Routeoptpro& d) {
      fastest_shown = d.OptFirstest.Value();
      act(d, "RadMi", Gesture::Click);
      if (!by_frame)
        act(d, "CmdCancel", Gesture::Click);
    });
    const auto& state = shared_state();
    EXPECT_TRUE(fastest_shown);
    EXPECT_EQ(state.gRouteType, RouteShortest) << by_frame;
    EXPECT_EQ(state.gDistUnits, "Kilometers") << by_frame;
    EXPECT_EQ(base_->GetDistanceUnits(), 0);
    EXPECT_EQ(ini(settings::OcxDistUnits), settings::Missing);
    EXPECT_EQ(state.gUseDescField, 0);
  }
  // What the next route reports is what it computed: 400 m of road at 30 km/h.
  click(0, 0);
  click(400, 0, 1);
  ASSERT_FALSE(person_->messages.empty());
  EXPECT_EQ(person_->messages.back().text,
            "Total Distance = 0.4 Kilometers and Total Time= 0.8 Minute");
}

TEST_F(RouteOptionsTest, AConfirmedFieldThatHasGoneIsReported) {
  auto& state = shared_state();
  state.gDescOption = 1;
  state.gDescFieldName = "STREET";
  state.gUseDescField = 1;
  options([](Routeoptpro& d) { act(d, "CmdCancel", Gesture::Click); });
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Field not found: The selected description field is not found"});
  EXPECT_EQ(person_->messages[0].icon, forms::Icon::Critical);
  EXPECT_EQ(state.gUseDescField, 0);
  EXPECT_EQ(state.gDescOption, 1);
  EXPECT_EQ(ini(settings::DescFieldName), "Description Field Not Found");
}

TEST_F(RouteOptionsTest, ALayerWithoutTextFieldsOffersNoDirections) {
  const auto roads = open("roads");
  ASSERT_EQ(roads->DeleteField(roads->Fields()->Field(roads->FindField("NAME")).get()), com::S_OK);
  bool choice_enabled = true;
  options([&](Routeoptpro& d) {
    choice_enabled = d.OptYes.Enabled() || d.OptNo.Enabled() || d.CmbFName.Enabled();
    act(d, "CmdOk", Gesture::Click);
  });
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Field Not Found: No description field found. Add the description field"});
  EXPECT_FALSE(choice_enabled);
  EXPECT_EQ(ini(settings::DescFieldName), "Description Field Not Found");
  EXPECT_EQ(ini(settings::RouteType), "Shortest");
  EXPECT_EQ(ini(settings::OcxDistUnits), "Kilometers");
  EXPECT_EQ(shared_state().gDescOption, 0);
}

// The route options test the shapefile's date before the network layer; the commands that build
// routes test the layer first, then switch off a description field that has gone, and only then
// the date, which that switch's write to "Corvane.ini" has renewed.
TEST_F(RouteOptionsTest, PreCheckOrderIsTheCommandsOwn) {
  const std::filesystem::path ini = NetworkIniFile(path());
  const auto saved = std::filesystem::last_write_time(path("roads.shp"));
  std::filesystem::last_write_time(ini, saved - std::chrono::minutes(2));
  const std::string modified =
      "Layer modified: Network layer has been modified. Re-Create the network again ";

  auto& state = shared_state();
  state.gUseDescField = 1;
  state.gDescFieldName = "STREET";
  click(0, 0);
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Field not found: The selected description field is not found"});
  EXPECT_EQ(state.gRouteStopCount, 1) << "the route starts";

  std::filesystem::last_write_time(ini, saved - std::chrono::minutes(2));
  const auto roads = map()->Layer(FindLayerIndex(map(), "roads", "L"));
  ASSERT_EQ(map()->DeleteLayer(roads.get()), com::S_OK);
  ASSERT_TRUE(run_route_options());
  ASSERT_TRUE(run_gazetteer());
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Field not found: The selected description field is not found", modified,
                         "Layer Not Found: Network layer not found"}));
}

} // namespace
} // namespace corvane
