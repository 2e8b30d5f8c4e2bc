#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "command/handler_boundary.h"
#include "common/layer_lookup.h"
#include "common/output_sets.h"
#include "dialogs/routing/rut.h"
#include "network/state/shared_state.h"
#include "route_network.h"
#include "support/full_disk.h"

namespace corvane {
namespace {

using host::Path;
using testing::Road;

// Points of a circle of radius r about (cx, cy), from `from` to `to` degrees (counter-clockwise
// when `to` is larger), every 5 degrees.
Path arc(double cx, double cy, double r, double from, double to) {
  Path path;
  const int steps = static_cast<int>(std::abs(to - from) / 5);
  for (int i = 0; i <= steps; ++i) {
    const double degrees = (from + (to - from) * i / steps) * M_PI / 180;
    path.push_back({cx + r * std::cos(degrees), cy + r * std::sin(degrees)});
  }
  return path;
}

const std::string long_name =
    "Hill Road of the Seven Chestnuts and the Old Millstream by the River";

// Main St runs east into a roundabout (radius 20 about (500, 0)) that South Rd joins at its
// south node; East Rd leaves it at its south-east node. North Ave turns left off East Rd and
// runs north through (700, 300) to a right turn into the long-named hill road.
std::vector<Road> town() {
  const auto w_s = arc(500, 0, 20, 180, 270);
  const auto s_se = arc(500, 0, 20, 270, 315);
  const auto se_n = arc(500, 0, 20, 315, 450);
  const auto n_w = arc(500, 0, 20, 90, 180);
  const auto se = s_se.back();
  return {{{{0, 0}, {240, 0}}, "Main St"},
          {{{240, 0}, w_s.front()}, "Main St"},
          {w_s, "Ring"},
          {s_se, "Ring"},
          {se_n, "Ring"},
          {n_w, "Ring"},
          {{s_se.front(), {500, -300}}, "South Rd"},
          {{se, {700, se.y}}, "East Rd"},
          {{{700, se.y}, {700, 300}}, "North Ave"},
          {{{700, 300}, {700, 500}}, "North Ave"},
          {{{700, 500}, {900, 500}}, long_name}};
}

// Two pieces that no road joins.
std::vector<Road> islands() {
  return {{{{0, 0}, {100, 0}}, "A"}, {{{100, 0}, {200, 0}}, "A"}, {{{1000, 0}, {1100, 0}}, "B"}};
}

class RouteTool : public testing::RouteNetworkTest {
protected:
  void route_through_town() {
    click(0, 0);
    click(700, 300, 2);
    click(900, 500, 1);
  }
  bool stamped() const { return settings_text().find("EDITED") != std::string::npos; }
};

TEST_F(RouteTool, UnconnectedStopIsReplacedByTheFarthestNodeWithOneWarning) {
  build_network(islands());
  click(0, 0);
  click(1100, 0, 2);
  click(100, 0, 1);
  // The second leg starts from (200, 0), the node reached instead of (1100, 0).
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Error: From and To Points Are Not Connected. Calculating To The "
                            "Possible Extent",
                            "Shortest Path: Total Distance = 0.3 Kilometers and Total Time= 0.6 "
                            "Minute"}));
  EXPECT_EQ(base_->GetNodeX(shared_state().gStopNodes[1]), 200);
  EXPECT_EQ(texts(*open("Route"), "NAME"), (std::vector<std::string>{"A", "A"}));
  EXPECT_TRUE(stamped());
}

TEST_F(RouteTool, EngineFailureShowsItsTextAndWritesNothing) {
  build_network(islands());
  click(0, 0);
  base_->Unload();
  // The stop cannot even be found: no node is taken for it, and nothing is computed.
  click(200, 0, 1);
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Error: The nearest network node could not be found: Error = "
                                     "Network not loaded"});
  EXPECT_FALSE(std::filesystem::exists(path("Route.shp")));
  EXPECT_FALSE(gRutForm().Visible());
  EXPECT_FALSE(stamped());
}

TEST_F(RouteTool, DirectionsFollowTurnsRoundaboutsNamesAndStages) {
  build_network(town());
  shared_state().gUseDescField = 1;
  shared_state().gDescFieldName = "NAME";
  route_through_town();

  const auto route = open("Route");
  EXPECT_EQ(attribute_names(*route), (std::vector<std::string>{"Direction", "Desc", "Distance",
                                                               "TotalDist", "Time", "TotalTime"}));
  EXPECT_EQ(texts(*route, "Direction"),
            (std::vector<std::string>{"Start Along", "Enter the Roundabout",
                                      "Take 2 . exit from Roundabout", "Turn to the Left",
                                      "Stage 2", "Straight on", "Turn to the Right"}));
  // The long name is cut to the field's 50 characters.
  EXPECT_EQ(texts(*route, "Desc"),
            (std::vector<std::string>{"Main St", "Ring", "East Rd", "North Ave", "", "North Ave",
                                      long_name.substr(0, 50)}));
  const auto distance = numbers(*route, "Distance");
  const auto expected = std::vector<double>{0.48, 0.0471, 0.1859, 0.3141, 0, 0.2, 0.2};
  ASSERT_EQ(distance.size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r)
    EXPECT_NEAR(distance[r], expected[r], 0.0005) << "row " << r;
  const auto time = numbers(*route, "Time");
  const auto total_dist = numbers(*route, "TotalDist");
  const auto total_time = numbers(*route, "TotalTime");
  EXPECT_NEAR(time[0], 0.96, 0.001);
  EXPECT_NEAR(total_dist.back(), 1.4271, 0.001);
  EXPECT_NEAR(total_time.back(), 2 * total_dist.back(), 0.001);
  // The stage row carries the totals of nothing.
  EXPECT_EQ(total_dist[4], 0);
  // ViewRoute holds one shape per row, the stage row's empty one included.
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 7U);
  EXPECT_TRUE(stamped());
}

TEST_F(RouteTool, RowAfterAStageRowOnAnUnnamedRoadGetsItsOwnTurnText) {
  build_network({{{{0, 0}, {100, 0}}, ""}, {{{100, 0}, {200, 0}}, ""}});
  shared_state().gUseDescField = 1;
  shared_state().gDescFieldName = "NAME";
  click(0, 0);
  click(100, 0, 2);
  click(200, 0, 1);
  // Not the text of the row before the stage ("Start Along").
  EXPECT_EQ(texts(*open("Route"), "Direction"),
            (std::vector<std::string>{"Start Along", "Stage 2", "Straight on"}));
}

TEST_F(RouteTool, FastestRouteKeepsDistanceAndMinutesInTheirFields) {
  build_network(town());
  shared_state().gUseDescField = 1;
  shared_state().gDescFieldName = "NAME";
  shared_state().gRouteType = RouteFastest;
  route_through_town();
  const auto route = open("Route");
  EXPECT_NEAR(numbers(*route, "Distance")[0], 0.48, 0.0005);
  EXPECT_NEAR(numbers(*route, "Time")[0], 0.96, 0.001);
  ASSERT_EQ(user_->messages.size(), 1U);
  EXPECT_EQ(user_->messages[0].title, "Fastest Path");
  EXPECT_NE(user_->messages[0].text.find("Total Distance = 1.42"), std::string::npos);
  EXPECT_NE(user_->messages[0].text.find("Total Time= 2.85"), std::string::npos);
}

TEST_F(RouteTool, WithoutDirectionsRouteCopiesTheLinksWithTheirFields) {
  build_network(town());
  route_through_town();
  const auto route = open("Route");
  EXPECT_EQ(attribute_names(*route), (std::vector<std::string>{"NAME", "CV_RESULT"}));
  // The links in record order, each once; the roundabout's north half and South Rd are not used.
  EXPECT_EQ(texts(*route, "NAME"),
            (std::vector<std::string>{"Main St", "Main St", "Ring", "Ring", "East Rd", "North Ave",
                                      "North Ave", long_name}));
  EXPECT_EQ(attribute_names(*open("ViewRoute")), std::vector<std::string>{"NAME"});
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 8U);
}

TEST_F(RouteTool, MissingDescriptionFieldSwitchesDirectionsOff) {
  build_network(islands());
  auto& state = shared_state();
  state.gUseDescField = 1;
  state.gDescFieldName = "STREET";
  click(0, 0);
  EXPECT_EQ(messages(), std::vector<std::string>{
                            "Field not found: The selected description field is not found"});
  EXPECT_EQ(state.gUseDescField, 0);
  EXPECT_EQ(state.gDescOption, 2);
  EXPECT_NE(settings_text().find("DESC FIELD NAME=Description Field Not Found"), std::string::npos);
  // The route goes on without directions.
  click(200, 0, 1);
  EXPECT_EQ(attribute_names(*open("Route")), (std::vector<std::string>{"NAME", "CV_RESULT"}));
}

// The vertices of every feature of `features`, in feature order, its parts run together.
std::vector<Path> lines(host::HostFeatureClass& features) {
  std::vector<Path> out;
  std::int32_t count = 0;
  EXPECT_EQ(features.FeatureCount(nullptr, &count), com::S_OK);
  for (std::int32_t id = 0; id < count; ++id) {
    com::ComPtr<host::HostFeature> feature;
    EXPECT_EQ(features.GetFeature(id, &feature), com::S_OK);
    const auto line = feature->ShapeCopy().as<host::HostPolyline>();
    Path vertices;
    for (int p = 0; line && p < line->PathCount(); ++p)
      for (const auto& xy : line->PathAt(p))
        vertices.push_back(xy);
    out.push_back(vertices);
  }
  return out;
}

TEST_F(RouteTool, StepLinesRunInTheDirectionOfTravel) {
  // West St is drawn eastwards in two pieces, the first against the way the route runs;
  // North Rd is drawn southwards, against it.
  build_network({{{{100, 0}, {0, 0}}, "West St"},
                 {{{100, 0}, {200, 0}}, "West St"},
                 {{{200, 200}, {200, 100}, {200, 0}}, "North Rd"}});
  shared_state().gUseDescField = 1;
  shared_state().gDescFieldName = "NAME";
  click(0, 0);
  click(200, 200, 1);
  EXPECT_EQ(lines(*open("Route")),
            (std::vector<Path>{{{0, 0}, {100, 0}, {200, 0}}, {{200, 0}, {200, 100}, {200, 200}}}));
  EXPECT_EQ(texts(*open("Route"), "Direction"),
            (std::vector<std::string>{"Start Along", "Turn to the Left"}));
}

TEST_F(RouteTool, NamesBeyondLatin1ComeBackFromEveryOutputTable) {
  const std::string lodzka = "\xC5\x81\xC3\xB3"
                             "dzka"; // "Łódzka"
  build_network({{{{0, 0}, {100, 0}}, lodzka}, {{{100, 0}, {200, 0}}, lodzka}});
  shared_state().gDescFieldName = "NAME";
  for (const std::int32_t directions : {0, 1}) {
    shared_state().gUseDescField = directions;
    click(0, 0);
    click(200, 0, 1);
    const auto field = directions ? "Desc" : "NAME";
    EXPECT_EQ(texts(*open("Route"), field)[0], lodzka) << directions;
    for (const char* table : {"Route.cpg", "ViewRoute.cpg"}) {
      std::ifstream cpg(path(table));
      std::string code_page;
      std::getline(cpg, code_page);
      EXPECT_EQ(code_page, "UTF-8") << table;
    }
  }
}

TEST_F(RouteTool, ViewRouteShowsTheCurrentRouteOnly) {
  build_network(islands());
  click(0, 0);
  click(200, 0, 1);
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 2U);
  // Its layer is in the map now; a new start empties it all the same.
  click(100, 0);
  EXPECT_TRUE(texts(*open("ViewRoute"), "NAME").empty());
  click(200, 0, 1);
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 1U);
}

TEST_F(RouteTool, StopsAreRefusedWithoutAStartAndBeyondTheLimit) {
  build_network(islands());
  click(0, 0);
  // Result clearing empties the stops of a started route.
  shared_state().gRouteStopCount = 0;
  click(100, 0, 2);
  click(0, 0);
  shared_state().gRouteStopCount = 3001;
  click(100, 0, 2);
  click(100, 0, 1);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Simple Click: Specify start point",
                                      "Too many stops: A route takes at most 3001 stops",
                                      "Too many stops: A route takes at most 3001 stops"}));
}

// A new route clears stop labels in the route's own form, plain digits up to the larger stop
// count; a text reading " 2" (a centre's label, or the user's own) stays.
TEST_F(RouteTool, APlainClickSweepsPlainStopNumbersOnly) {
  build_network(islands());
  auto& state = shared_state();
  state.gRouteStopCount = 2;
  state.gMultiStopCount = 3;
  for (const char* text : {"Start", "End", "1", "2", "3", " 2", " 3", "4", "02", "Other"})
    add_text(text, 50, 50);
  click(0, 0);
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{" 2", " 3", "4", "02", "Other", "Start"}));
}

// A disk full from any write of a route on (its clicks' outputs, the records of their
// replacements, the clean-up's own writes): the failing click names the file the user knows and
// the full disk, never a code, a scratch set nor an output not found, leaves no scratch set, and
// labels no end stop unless the route was written and shown; the route with space back writes
// "Route" and "ViewRoute" whole.
TEST_F(RouteTool, ADiskFullFromAnyWriteOnIsToldByTheUsersFileAndLeavesNoScratchSet) {
  build_network(town());
  route_through_town();
  const auto whole_route = numbers(*open("Route"), "CV_RESULT");
  const auto whole_view = open("ViewRoute");
  std::int32_t view_count = 0;
  ASSERT_EQ(whole_view->FeatureCount(nullptr, &view_count), com::S_OK);
  // Each click through the handler boundary, as the host makes it.
  const auto route_by_hand = [&] {
    run_handler([&] { click(0, 0); });
    run_handler([&] { click(700, 300, 2); });
    run_handler([&] { click(900, 500, 1); });
  };
  const long writes = testing::WritesOf(route_by_hand);
  ASSERT_GT(writes, 5);
  for (long from = 0; from < writes; ++from) {
    SCOPED_TRACE("full from write " + std::to_string(from) + " of " + std::to_string(writes));
    user_->messages.clear();
    {
      const testing::FullDiskFrom full(from);
      route_by_hand();
    }
    const auto said = messages();
    const auto told = std::ranges::find_if(said, [](const std::string& text) {
      return text.find("there is no space left on the device") != std::string::npos;
    });
    EXPECT_NE(told, said.end()) << ::testing::PrintToString(said);
    for (const auto& text : said) {
      EXPECT_EQ(text.find(" failed ("), std::string::npos) << text;
      EXPECT_EQ(text.find('~'), std::string::npos) << text;
      EXPECT_EQ(text.find("couldn't be found"), std::string::npos) << text;
    }
    const bool route_shown = FindLayerIndex(map(), RouteOutput.name, "L") != NoLayer;
    EXPECT_EQ(std::ranges::count(texts_on_map(), "End"), route_shown ? 1 : 0);
    EXPECT_EQ(testing::LeftBehind(path()), std::vector<std::string>{});
    user_->messages.clear();
    route_through_town();
    ASSERT_EQ(messages().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(numbers(*open("Route"), "CV_RESULT"), whole_route);
    std::int32_t count = 0;
    ASSERT_EQ(open("ViewRoute")->FeatureCount(nullptr, &count), com::S_OK);
    EXPECT_EQ(count, view_count);
  }
}

// The same on a real disk: a small file system over the network folder, filled to a few
// kilobytes free at a time.
TEST_F(RouteTool, ARealFullDiskIsToldByTheUsersFileAndTheNextRouteIsWhole) {
  testing::SmallDisk disk(path(), 4);
  if (!disk.mounted())
    GTEST_SKIP() << disk.why();
  build_network(town());
  const auto route_by_hand = [&] {
    run_handler([&] { click(0, 0); });
    run_handler([&] { click(700, 300, 2); });
    run_handler([&] { click(900, 500, 1); });
  };
  route_by_hand();
  const auto whole_route = numbers(*open("Route"), "CV_RESULT");
  int told = 0;
  for (const std::uintmax_t free_kilobytes : {0, 4, 8, 12, 16, 20, 24, 32}) {
    SCOPED_TRACE(std::to_string(free_kilobytes) + " KB free");
    user_->messages.clear();
    ASSERT_TRUE(disk.leave_free(free_kilobytes));
    route_by_hand();
    disk.empty_filler();
    for (const auto& text : messages()) {
      EXPECT_EQ(text.find(" failed ("), std::string::npos) << text;
      EXPECT_EQ(text.find('~'), std::string::npos) << text;
      told += text.find("there is no space left on the device") != std::string::npos;
    }
    EXPECT_EQ(testing::LeftBehind(path()), std::vector<std::string>{});
    user_->messages.clear();
    route_by_hand();
    ASSERT_EQ(messages().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(numbers(*open("Route"), "CV_RESULT"), whole_route);
  }
  EXPECT_GT(told, 0);
}

} // namespace
} // namespace corvane
