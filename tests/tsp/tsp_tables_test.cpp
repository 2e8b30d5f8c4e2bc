#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "com/create.h"
#include "dialogs/tsp/add_field.h"
#include "dialogs/tsp/tsp_table.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/shared_state.h"
#include "tour_network.h"
#include "tsp/tsp_tables.h"

namespace corvane {
namespace {

using forms::Gesture;
using Texts = std::vector<std::string>;

struct Stop {
  double x, y;
  std::string name;
};

class TspFromTable : public testing::TourTest {
protected:
  // A point layer of the stops, in order, with a text field NAME.
  void point_layer(const std::string& layer, const std::vector<Stop>& stops) {
    std::vector<host::Path> points;
    for (const auto& stop : stops)
      points.push_back({{stop.x, stop.y}});
    const auto features = shapefile(layer, host::geometry_point, points);
    const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
    field->SetName("NAME");
    field->SetType(host::field_string);
    field->SetLength(40);
    ASSERT_EQ(features->AddField(field.get()), com::S_OK);
    for (std::size_t i = 0; i < stops.size(); ++i) {
      com::ComPtr<host::HostFeature> feature;
      ASSERT_EQ(features->GetFeature(static_cast<std::int32_t>(i), &feature), com::S_OK);
      ASSERT_EQ(feature->SetValue(features->FindField("NAME"), com::Variant(stops[i].name)),
                com::S_OK);
      ASSERT_EQ(feature->Store(), com::S_OK);
    }
    add_layer(features, layer);
  }
  // Runs the command choosing `layer` and labelling by `field`.
  bool run(const std::string& layer, const std::string& field = "OID") {
    person_->expect<TspTable>("TspTable", [layer](TspTable& d) {
      testing::act(d, "SeltTab", Gesture::Select, layer);
      testing::act(d, "TabOk", Gesture::Click);
    });
    person_->expect<AddField>("AddField", [field](AddField& d) {
      testing::act(d, "Combo1", Gesture::Select, field);
      testing::act(d, "CmdOK", Gesture::Click);
    });
    return run_command(com::make<TspTables>());
  }
  Texts sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
  }
};

struct TableCase {
  TspMode mode;
  std::vector<Stop> stops;
  Texts tour;
  Texts labels; // sorted; line feeds as "|"
  std::string km, minutes;
};

TEST_F(TspFromTable, PointsAreOrderedAndLabelledWithTheirTourPositions) {
  const std::vector<TableCase> cases{
      {TspMode{.kind = TourKind::StartEnd},
       {{0, 0, ""}, {200, 0, ""}},
       {"0,0", "200,0"},
       {"0| (Start)@0,0", "1|  (End)@200,0"},
       "0.2",
       "0.4"},
      {TspMode{.kind = TourKind::RoundTrip},
       {{0, 0, ""}, {200, 0, ""}, {200, 200, ""}},
       {"0,0", "200,0", "200,200", "0,0"},
       {"0| (Start)@0,0", "1|  1@200,0", "2|  (End)@200,200"},
       "0.8",
       "1.6"},
      {TspMode{.kind = TourKind::StartEnd},
       {{0, 0, ""}, {200, 200, ""}, {200, 0, ""}, {0, 200, ""}},
       {"0,0", "200,0", "200,200", "0,200"},
       {"0| (Start)@0,0", "1|  (2)@200,200", "2|  (1)@200,0", "3| (End)@0,200"},
       "0.6",
       "1.2"},
      {TspMode{.kind = TourKind::StartOnly, .straight_line = true},
       {{0, 0, ""}, {300, 0, ""}, {100, 0, ""}, {200, 0, ""}},
       {"0,0", "100,0", "200,0", "300,0"},
       {"0| (Start)@0,0", "1| (End)@300,0", "2|  (1)@100,0", "3|  (2)@200,0"},
       "0.3",
       "0.6"},
  };
  int run_number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode.engine_code()) + ", " +
                 std::to_string(c.stops.size()) + " points");
    const std::string layer = "stops" + std::to_string(run_number++);
    point_layer(layer, c.stops);
    shared_state().gTspMode = c.mode;
    person_->messages.clear();
    ASSERT_TRUE(run(layer));
    EXPECT_EQ(tour(), c.tour);
    EXPECT_EQ(sorted(placed_labels()), c.labels) << "the last run's labels are gone";
    EXPECT_EQ(shown(), Texts{"Shortest Path: Total Distance = " + c.km +
                             " Kilometers and Total Time= " + c.minutes + " Minutes"});
  }
  // Without directions the links of the tour are copied once each, with the network's fields.
  const auto output = open("BatchTSP");
  EXPECT_EQ(attribute_names(*output), (Texts{"NAME", "CV_RESULT"}));
  EXPECT_EQ(texts(*output, "NAME"), (Texts{"Row 0", "Row 0", "Row 0"}));
  EXPECT_TRUE(stamped());
}

TEST_F(TspFromTable, DirectionsOpenEveryLegWithTheNamesOfItsStops) {
  auto& state = shared_state();
  state.gUseDescField = 1;
  state.gDescFieldName = "NAME";
  point_layer("places",
              {{0, 0, "Alpha"}, {200, 200, "Gamma"}, {200, 0, "Beta"}, {0, 200, "Delta"}});
  ASSERT_TRUE(run("places", "NAME"));
  const auto output = open("BatchTSP");
  EXPECT_EQ(texts(*output, "Direction"),
            (Texts{"Alpha  to  Beta", "Start Along", "Beta  to  Gamma", "Turn to the Left",
                   "Gamma  to  Delta", "Turn to the Left"}));
  EXPECT_EQ(texts(*output, "Desc"), (Texts{"", "Row 0", "", "Col 200", "", "Row 200"}));
  // "Alpha" has 5 characters: 3 blanks (5 / 1.7, rounded) before the mark.
  const auto labels = placed_labels();
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Alpha|   (Start)@0,0"), labels.end());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Delta|   (End)@0,200"), labels.end());
}

TEST_F(TspFromTable, PointsAtOneNodeAreLabelledTogether) {
  shared_state().gTspMode = TspMode{.kind = TourKind::StartOnly};
  point_layer("stops", {{0, 0, ""}, {300, 0, ""}, {101, 0, ""}, {99, 0, ""}, {200, 0, ""}});
  ASSERT_TRUE(run("stops"));
  const auto labels = sorted(placed_labels());
  EXPECT_EQ(std::count_if(labels.begin(), labels.end(),
                          [](const std::string& l) { return l.ends_with("@100,0"); }),
            4)
      << "points 2 and 3 each get the marks of both positions of their node";
}

TEST_F(TspFromTable, LegToAnUnreachablePointEndsAsCloseToItAsTheNetworkAllows) {
  auto& state = shared_state();
  state.gTspMode = TspMode{.kind = TourKind::StartEnd};
  state.gUseDescField = 1;
  state.gDescFieldName = "NAME";
  point_layer("stops", {{0, 0, "Alpha"}, {1100, 0, "Island"}, {300, 100, "Gamma"}});
  ASSERT_TRUE(run("stops", "NAME"));
  // The first leg ends at (300, 0), the reached node nearest to the island, not at (300, 200),
  // the farthest; the second leg starts there. Both legs are headed with the stops of the plan.
  EXPECT_EQ(shown(), (Texts{"Error: From and to points are not connected. Calculating To The "
                            "Possible Extent",
                            "Shortest Path: Total Distance = 0.4 Kilometers and Total Time= 0.8 "
                            "Minutes"}));
  EXPECT_EQ(texts(*open("BatchTSP"), "Direction"),
            (Texts{"Alpha  to  Island", "Start Along", "Island  to  Gamma", "Turn to the Left"}));
}

TEST_F(TspFromTable, RefusesWithoutUsablePointsAndEndsSilentlyOnCancel) {
  EXPECT_TRUE(run_command(com::make<TspTables>()));
  point_layer("empty", {});
  point_layer("single", {{0, 0, ""}});
  ASSERT_TRUE(run("empty"));
  person_->expect<TspTable>("TspTable", [](TspTable& d) {
    testing::act(d, "SeltTab", Gesture::Select, "single");
    testing::act(d, "TabOk", Gesture::Click);
  });
  ASSERT_TRUE(run_command(com::make<TspTables>()));
  EXPECT_EQ(shown(),
            (Texts{"Data Not Found: Requries a Point Layer", "Null Feautre: No Feature Found",
                   "Required: Minimum Two Point Required"}));
  EXPECT_EQ(person_->pending(), 1U) << "the field is never asked for";
}

TEST_F(TspFromTable, APointWithoutFiniteCoordinatesIsNamedAndEndsTheTour) {
  point_layer("stops", {{0, 0, "a"}, {std::numeric_limits<double>::quiet_NaN(), 0, "b"}});
  ASSERT_TRUE(run("stops"));
  EXPECT_EQ(shown(), Texts{"Corrupt data: The point Fid = 1 of the layer stops cannot be placed "
                           "on the network: its coordinates are not finite numbers."});
  EXPECT_TRUE(placed_labels().empty());
}

TEST_F(TspFromTable, TooManyPointsAreRefusedBeforeAnyIsPlaced) {
  shared_state().gTspMode = TspMode{.kind = TourKind::RoundTrip};
  std::vector<Stop> stops(3001, Stop{0, 0, ""});
  point_layer("crowd", stops);
  person_->expect<TspTable>("TspTable", [](TspTable& d) {
    testing::act(d, "SeltTab", Gesture::Select, "crowd");
    testing::act(d, "TabOk", Gesture::Click);
  });
  ASSERT_TRUE(run_command(com::make<TspTables>()));
  EXPECT_EQ(shown(), Texts{"Batch TSP: A tour takes at most 3000 points"});
  EXPECT_TRUE(placed_labels().empty());
}

TEST_F(TspFromTable, ClosingADialogByItsFrameCancels) {
  point_layer("stops", {{0, 0, ""}, {200, 0, ""}});
  ASSERT_TRUE(run("stops"));
  const auto before = placed_labels();
  // Both dialogs closed by their frames: nothing runs, on the choices of the last run neither.
  ASSERT_TRUE(run_command(com::make<TspTables>()));
  person_->expect<TspTable>("TspTable",
                            [](TspTable& d) { testing::act(d, "TabOk", Gesture::Click); });
  ASSERT_TRUE(run_command(com::make<TspTables>()));
  EXPECT_TRUE(placed_labels().empty()) << "the run removes the last run's labels first";
  EXPECT_EQ(before.size(), 2U);
  EXPECT_EQ(shown().size(), 1U);
}

} // namespace
} // namespace corvane
