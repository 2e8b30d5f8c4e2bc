#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/marker_graphic.h"
#include "dialogs/routing/rut.h"
#include "network/state/shared_state.h"
#include "tour_network.h"

namespace corvane {
namespace {

using Point = std::pair<double, double>;
using Texts = std::vector<std::string>;

constexpr long Ctrl = 2;
constexpr long Shift = 1;

const Point A{0, 0}, B{200, 200}, C{200, 0}, D{0, 200};

class TspTool : public testing::TourTest {
protected:
  // A plain click on the first stop, Ctrl+clicks on the middle ones, a Shift+click on the last.
  void click_tour(const std::vector<Point>& stops) {
    for (std::size_t k = 0; k < stops.size(); ++k)
      tool_click(stops[k].first, stops[k].second,
                 k == 0 ? 0 : (k + 1 == stops.size() ? Shift : Ctrl));
  }
  Texts sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
  }
};

struct TourCase {
  TspMode mode;
  std::vector<Point> stops;
  Texts tour;   // the visiting order, the way back of a round trip included
  Texts labels; // sorted
  std::string totals;
};

TEST_F(TspTool, StopsAreOrderedNumberedAndRoutedInEveryMode) {
  const auto totals = [](const std::string& km, const std::string& minutes) {
    return "Shortest Path: Total Distance = " + km + " Kilometers and Total Time= " + minutes +
           " Minutes";
  };
  const std::vector<Point> line{{0, 0}, {300, 0}, {100, 0}, {200, 0}};
  const std::vector<TourCase> cases{
      // Two stops: no solve; the last stop reads "End" (twice where the Shift+click put one).
      {TspMode{.kind = TourKind::StartEnd},
       {A, C},
       {"0,0", "200,0"},
       {"End@200,0", "End@200,0", "Start@0,0"},
       totals("0.2", "0.4")},
      {TspMode{.kind = TourKind::RoundTrip},
       {A, C},
       {"0,0", "200,0"},
       {"End@200,0", "Start@0,0"},
       totals("0.2", "0.4")},
      {TspMode{.kind = TourKind::StartOnly, .straight_line = true},
       {A, C},
       {"0,0", "200,0"},
       {"End@200,0", "Start@0,0"},
       totals("0.2", "0.4")},
      // Three stops: click order, the via stop reads "1"; a round trip comes back.
      {TspMode{.kind = TourKind::StartEnd, .straight_line = true},
       {A, C, B},
       {"0,0", "200,0", "200,200"},
       {"1@200,0", "End@200,200", "End@200,200", "Start@0,0"},
       totals("0.4", "0.8")},
      {TspMode{.kind = TourKind::RoundTrip, .straight_line = true},
       {A, C, B},
       {"0,0", "200,0", "200,200", "0,0"},
       {"1@200,0", "End@200,200", "Start@0,0"},
       totals("0.8", "1.6")},
      {TspMode{.kind = TourKind::StartOnly},
       {A, C, B},
       {"0,0", "200,0", "200,200"},
       {"1@200,0", "End@200,200", "Start@0,0"},
       totals("0.4", "0.8")},
      // Four stops: the engine's order, numbered from 2; the clicked end stays last in a
      // start-end tour, the last stop visited reads "End" in a tour from the start only.
      {TspMode{.kind = TourKind::StartEnd},
       {A, B, C, D},
       {"0,0", "200,0", "200,200", "0,200"},
       {"2@200,0", "3@200,200", "End@0,200", "Start@0,0"},
       totals("0.6", "1.2")},
      {TspMode{.kind = TourKind::StartEnd, .straight_line = true},
       {A, B, C, D},
       {"0,0", "200,0", "200,200", "0,200"},
       {"2@200,0", "3@200,200", "End@0,200", "Start@0,0"},
       totals("0.6", "1.2")},
      {TspMode{.kind = TourKind::StartOnly},
       line,
       {"0,0", "100,0", "200,0", "300,0"},
       {"2@100,0", "3@200,0", "End@300,0", "Start@0,0"},
       totals("0.3", "0.6")},
      {TspMode{.kind = TourKind::StartOnly, .straight_line = true},
       line,
       {"0,0", "100,0", "200,0", "300,0"},
       {"2@100,0", "3@200,0", "End@300,0", "Start@0,0"},
       totals("0.3", "0.6")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode.engine_code()) + ", " +
                 std::to_string(c.stops.size()) + " stops");
    shared_state().gTspMode = c.mode;
    person_->messages.clear();
    click_tour(c.stops);
    EXPECT_EQ(tour(), c.tour);
    EXPECT_EQ(sorted(placed_labels()), c.labels);
    EXPECT_TRUE(markers().empty()) << "every star gives way to a label";
    EXPECT_EQ(shown(), Texts{c.totals});
    EXPECT_FALSE(gRutForm().Visible());
  }
  // Without directions "Route" holds the links of the last tour.
  EXPECT_EQ(texts(*open("Route"), "NAME"), (Texts{"Row 0", "Row 0", "Row 0"}));
  EXPECT_TRUE(stamped());
}

TEST_F(TspTool, RoundTripOfFourStopsNumbersEveryStopAndReturnsToTheStart) {
  shared_state().gTspMode = TspMode{.kind = TourKind::RoundTrip};
  click_tour({A, B, C, D});
  const auto visited = tour();
  ASSERT_EQ(visited.size(), 5U);
  EXPECT_EQ(visited.front(), "0,0");
  EXPECT_EQ(visited.back(), "0,0");
  EXPECT_EQ(visited[2], "200,200") << "the far corner lies halfway either way round";
  EXPECT_EQ(shared_state().gMultiStopCount, 4);
  const auto labels = placed_labels();
  for (const std::string expected : {"Start@0,0", "3@200,200"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end()) << expected;
  EXPECT_EQ(labels.size(), 4U);
  EXPECT_EQ(shown(), (Texts{"Shortest Path: Total Distance = 0.8 Kilometers and Total Time= 1.6 "
                            "Minutes"}));
}

TEST_F(TspTool, ClicksWithoutAnOpenTourOrOnAStopAreRefused) {
  tool_click(A.first, A.second, Ctrl);
  tool_click(A.first, A.second, Shift);
  tool_click(A.first, A.second);
  tool_click(A.first, A.second, Ctrl);
  tool_click(C.first, C.second, Ctrl);
  tool_click(C.first, C.second, Shift);
  // Choosing the tool again ends the open tour.
  select_tool();
  tool_click(B.first, B.second, Shift);
  EXPECT_EQ(shown(),
            (Texts{"Simple Click: Specify start point", "Simple Click: Specify start point",
                   "Same Location: Same location selected", "Same Location: Same location selected",
                   "Simple Click: Specify start point"}));
  EXPECT_EQ(markers(), Texts{"200,0"});
  EXPECT_EQ(shared_state().gMultiStopCount, 2);
}

TEST_F(TspTool, StopBeyondTheLimitIsRefused) {
  auto& state = shared_state();
  state.gTspMode = TspMode{.kind = TourKind::RoundTrip};
  tool_click(A.first, A.second);
  // A round trip of 2999 stops so far: one more fits, as its end.
  for (std::int32_t row = 1; row < 2999; ++row)
    state.gStopNodes[row] = -row;
  state.gMultiStopCount = 2999;
  tool_click(C.first, C.second, Ctrl);
  EXPECT_EQ(shown(), Texts{"Too many stops: A tour takes at most 3000 stops"});
  EXPECT_EQ(state.gMultiStopCount, 2999);
  EXPECT_TRUE(markers().empty());
}

TEST_F(TspTool, StopInAnotherPartOfTheNetworkEndsTheTourWithItsReason) {
  shared_state().gTspMode = TspMode{.kind = TourKind::StartEnd};
  click_tour({A, C, {1100, 0}, D});
  EXPECT_EQ(shown(), Texts{"TSP: TSP : One or more nodes in Subnet"});
  EXPECT_TRUE(placed_labels().empty());
  EXPECT_TRUE(markers().empty());
  EXPECT_EQ(shared_state().gMultiStopCount, 3);
  EXPECT_TRUE(texts(*open("Route"), "NAME").empty());
  EXPECT_FALSE(gRutForm().Visible());
  EXPECT_FALSE(stamped());
}

TEST_F(TspTool, UnreachableEndIsReplacedByTheNodeReached) {
  shared_state().gTspMode = TspMode{.kind = TourKind::StartEnd};
  click_tour({A, C, {1100, 0}});
  EXPECT_EQ(shown()[0], "Error: From and To Points Are Not Connected. Calculating To The "
                        "Possible Extent");
  ASSERT_EQ(shown().size(), 2U);
  EXPECT_NE(tour().back(), "1100,0");
  EXPECT_TRUE(stamped());
}

TEST_F(TspTool, NewTourRemovesOnlyTheMarkersItsStopsPlaced) {
  auto& state = shared_state();
  state.gTspMode = TspMode{.kind = TourKind::StartOnly};
  click_tour({A, {300, 0}, {100, 0}, {200, 0}, {300, 200}});
  // A round trip of four: its return takes row 4, where the last tour's fifth stop still lies.
  state.gTspMode = TspMode{.kind = TourKind::RoundTrip};
  click_tour({A, B, C, D});
  ASSERT_EQ(state.gMultiStopCount, 4);
  AddMarkerGraphic(map(), testing::point(300, 200).get(), MarkerClosedRoad);
  tool_click(A.first, A.second);
  EXPECT_EQ(markers(), Texts{"300,200"});
  EXPECT_EQ(placed_labels(), Texts{"Start@0,0"});
}

// A new tour clears stop labels in the tour's own form, plain digits up to the larger stop
// count; a text reading " 2" (a centre's label, or the user's own) stays.
TEST_F(TspTool, APlainClickSweepsPlainStopNumbersOnly) {
  auto& state = shared_state();
  state.gRouteStopCount = 2;
  state.gMultiStopCount = 3;
  for (const char* text : {"Start", "End", "1", "2", "3", " 2", " 3", "4", "02", "Other"})
    add_text(text, 100, 100);
  tool_click(A.first, A.second);
  EXPECT_EQ(texts_on_map(), (Texts{" 2", " 3", "4", "02", "Other", "Start"}));
}

TEST_F(TspTool, DirectionsOpenEveryLaterLegWithAStageRow) {
  auto& state = shared_state();
  state.gUseDescField = 1;
  state.gDescFieldName = "NAME";
  state.gTspMode = TspMode{.kind = TourKind::StartEnd};
  click_tour({A, B, C, D});
  const auto route = open("Route");
  EXPECT_EQ(texts(*route, "Direction"),
            (Texts{"Start Along", "Stage 2", "Turn to the Left", "Stage 3", "Turn to the Left"}));
  EXPECT_EQ(texts(*route, "Desc"), (Texts{"Row 0", "", "Col 200", "", "Row 200"}));
}

TEST_F(TspTool, ViewRouteOnTheMapGathersTheTours) {
  click_tour({A, C});
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 2U);
  click_tour({A, D});
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 4U);
}

} // namespace
} // namespace corvane
