#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "batch_fixture.h"
#include "com/create.h"
#include "common/batch_progress.h"
#include "dialogs/routing/frm_batch.h"
#include "host/layer.h"
#include "host/workspace.h"
#include "network/state/shared_state.h"
#include "routing/batch_route_rows.h"

namespace host {
// Vertices print as (x, y) in failure messages.
inline void PrintTo(const XY& at, std::ostream* out) {
  *out << "(" << at.x << ", " << at.y << ")";
}
} // namespace host

namespace corvane::testing {
namespace {

using Rows = std::vector<std::string>;

// "from>to distance time" for each record.
Rows summary(const std::vector<BatchRow>& rows) {
  Rows out;
  for (const auto& row : rows) {
    char text[128];
    std::snprintf(text, sizeof text, "%s>%s %.3f %.3f", row.from.c_str(), row.to.c_str(),
                  row.distance, row.time);
    out.push_back(text);
  }
  return out;
}

int layer_count_named(host::HostMap* map, const std::string& name) {
  int found = 0;
  for (int i = 0; i < map->LayerCount(); ++i)
    found += map->Layer(i)->Name() == name;
  return found;
}

int table_count_named(host::HostMap* map, const std::string& name) {
  const auto tables = com::ComPtr<host::HostMap>(map).as<host::HostStandaloneTableCollection>();
  int found = 0;
  for (int i = 0; i < tables->StandaloneTableCount(); ++i)
    found += tables->StandaloneTable(i)->Name() == name;
  return found;
}

// The points of the tests: fid 1 has an empty shape.
const std::vector<LabelledPoint> Stops{{"a", BatchRouteTest::A},
                                       {"broken", std::nullopt},
                                       {"c", BatchRouteTest::C},
                                       {"d", BatchRouteTest::D}};

TEST_F(BatchRouteTest, OneLayerGivesEachPairOnceOrBothWaysWithTheCostsOfSingleRoutes) {
  point_layer("stops", Stops);
  const Rows corrupt{"stops", "Fid = 1(Corrupt data found)"};
  struct Case {
    std::int32_t route_type;
    bool both_ways;
    Rows expected;
  };
  const Case cases[] = {
      {RouteShortest, false, {"a>c 2.500 5.000", "a>d 1.500 3.000", "c>d 2.000 4.000"}},
      {RouteShortest,
       true,
       {"a>c 2.500 5.000", "a>d 1.500 3.000", "c>a 2.500 5.000", "c>d 2.000 4.000",
        "d>a 1.500 3.000", "d>c 2.000 4.000"}},
      // Fastest minimises the time, yet "Distance" still holds the distance.
      {RouteFastest, false, {"a>c 2.500 5.000", "a>d 1.500 3.000", "c>d 2.000 4.000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "route type " << c.route_type << " both " << c.both_ways);
    shared_state().gRouteType = c.route_type;
    run({.from_layer = "stops", .to_layer = "stops", .both_ways = c.both_ways});
    EXPECT_EQ(table_fields(), (Rows{"FromPoint text 40", "ToPoint text 50", "Distance number 19",
                                    "Time number 19", "Comments text 50"}));
    const auto rows = table_rows();
    EXPECT_EQ(summary(rows), c.expected);
    // The to layer's empty point, then the from layer's (the same layer read twice).
    EXPECT_EQ(problems_, (Rows{corrupt[0], corrupt[1], corrupt[0], corrupt[1]}));
    EXPECT_TRUE(stamped());

    // Each record against a route of its own between the same two points.
    for (const auto& row : rows) {
      const auto node_of = [&](const std::string& label) {
        const auto& at = *std::find_if(Stops.begin(), Stops.end(), [&](const auto& p) {
                            return p.name == label;
                          })->at;
        std::int32_t node = 0, second = 0;
        EXPECT_EQ(base_->SnapToNetwork(at.x, at.y, node, second), 0);
        return node;
      };
      const float primary = calc_->SolveRoute(node_of(row.from), node_of(row.to));
      EXPECT_NEAR(c.route_type == RouteShortest ? row.distance : row.time, primary, 1e-4)
          << row.from << ">" << row.to;
    }
  }
}

TEST_F(BatchRouteTest, RouteObjectsAreTheLinesOfThePathsInTravelDirection) {
  point_layer("stops", Stops);
  give_network_a_projection();
  run({.from_layer = "stops", .to_layer = "stops", .route_objects = true});

  const auto routes = open("BatchRoute");
  ASSERT_TRUE(routes);
  EXPECT_EQ(texts(*routes, "FromPoint"), (Rows{"a", "a", "c"}));
  EXPECT_EQ(texts(*routes, "ToPoint"), (Rows{"c", "d", "d"}));
  const std::vector<host::Path> expected{{A, B, C}, {A, B, D}, {C, B, D}};
  for (std::int32_t id = 0; id < 3; ++id) {
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(routes->GetFeature(id, &feature), com::S_OK);
    const auto line = feature->Shape().as<host::HostPolyline>();
    host::Path walked;
    for (int part = 0; part < line->PathCount(); ++part)
      for (const auto& vertex : line->PathAt(part))
        if (walked.empty() || !(walked.back() == vertex))
          walked.push_back(vertex);
    EXPECT_EQ(walked, expected[id]) << "route " << id;
  }
  EXPECT_TRUE(file_exists("BatchRoute.prj"));

  // The layer on top, its table open with the attributes only.
  const auto layer = map()->Layer(0).as<host::HostFeatureLayer>();
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer->Name(), "BatchRoute");
  const auto shown = layer.as<host::HostLayerFields>();
  EXPECT_FALSE(shown->FieldVisible(0));
  EXPECT_FALSE(shown->FieldVisible(1));
  EXPECT_TRUE(shown->FieldVisible(2)) << "FromPoint";
  EXPECT_EQ(table_windows_, Rows{"BatchRoute"});
  EXPECT_TRUE(stamped());
}

TEST_F(BatchRouteTest, WithoutRouteObjectsTheTableStandsAloneAndReplacesEveryEarlierOutput) {
  point_layer("stops", Stops);
  give_network_a_projection();
  run({.from_layer = "stops", .to_layer = "stops", .route_objects = true});
  ASSERT_TRUE(file_exists("BatchRoute.shp"));

  for (int repeat = 0; repeat < 2; ++repeat) {
    run({.from_layer = "stops", .to_layer = "stops"});
    EXPECT_FALSE(file_exists("BatchRoute.shp")) << "no stale shapes beside the new table";
    EXPECT_FALSE(file_exists("BatchRoute.prj"));
    EXPECT_EQ(summary(table_rows()).size(), 3U);
    EXPECT_EQ(layer_count_named(map(), "BatchRoute"), 0);
    EXPECT_EQ(table_count_named(map(), "BatchRoute"), 1);
  }
  const auto tables = com::ComPtr<host::HostMap>(map()).as<host::HostStandaloneTableCollection>();
  const auto shown = tables->StandaloneTable(0).as<host::HostLayerFields>();
  EXPECT_FALSE(shown->FieldVisible(0)) << "OID";
  EXPECT_TRUE(shown->FieldVisible(1)) << "FromPoint";
  EXPECT_EQ(table_windows_, (Rows{"BatchRoute", "BatchRoute", "BatchRoute"}));
}

TEST_F(BatchRouteTest, UnconnectedPairsAreListedAndPointsAtOneNodeAreSkipped) {
  point_layer("origins", {{"a", A}, {"e", E}});
  point_layer("targets", {{"c", C}, {"a2", A}});
  give_network_a_projection();
  for (const bool route_objects : {false, true}) {
    SCOPED_TRACE(route_objects ? "route objects" : "costs only");
    problems_.clear();
    run({.from_layer = "origins", .to_layer = "targets", .route_objects = route_objects});
    EXPECT_EQ(summary(table_rows()), Rows{"a>c 2.500 5.000"});
    EXPECT_EQ(problems_,
              (Rows{"e To c(Points are not connected)", "e To a2(Points are not connected)"}));
  }
}

TEST_F(BatchRouteTest, LabelsKeepTheirQuotesAndCommasAndOnePointIsAWholeRun) {
  point_layer("stops", Stops);
  point_layer("one", {{"Main \"St\", 5", A}});
  run({.from_layer = "one", .to_layer = "stops"});
  const auto rows = table_rows();
  EXPECT_EQ(summary(rows), (Rows{"Main \"St\", 5>c 2.500 5.000", "Main \"St\", 5>d 1.500 3.000"}));
  for (const auto& row : rows)
    EXPECT_EQ(row.comments.find_first_not_of(' '), std::string::npos);
}

TEST_F(BatchRouteTest, RunAfterARouteLeavesTheRouteMarkedInTheNetworkLayer) {
  point_layer("stops", Stops);
  give_network_a_projection();
  click(A.x, A.y);
  click(C.x, C.y, 1);
  // Roads ab, cb, bd, island: the route from A to C marks the first two.
  const auto marked = numbers(*open("roads"), "CV_RESULT");
  ASSERT_GT(marked[0], 0);
  ASSERT_GT(marked[1], 0);

  for (const bool route_objects : {false, true}) {
    SCOPED_TRACE(route_objects ? "route objects" : "costs only");
    run({.from_layer = "stops", .to_layer = "stops", .route_objects = route_objects});
    EXPECT_EQ(summary(table_rows()).size(), 3U);
    EXPECT_EQ(numbers(*open("roads"), "CV_RESULT"), marked);
  }
}

TEST_F(BatchRouteTest, EscStopsBeforeTheNextPairAndLeavesAValidTable) {
  point_layer("stops", Stops);
  // Polls: from a (1), its pairs a>a, a>c, a>d (2..4), from c (5): Esc there.
  escape_at_poll_ = 5;
  run({.from_layer = "stops", .to_layer = "stops", .both_ways = true});
  EXPECT_EQ(summary(table_rows()), (Rows{"a>c 2.500 5.000", "a>d 1.500 3.000"}));
  EXPECT_TRUE(stamped());
  EXPECT_TRUE(problems_.empty()) << "the problem list is not shown";
  EXPECT_TRUE(table_windows_.empty());
  EXPECT_EQ(table_count_named(map(), "BatchRoute"), 0);
  EXPECT_EQ(layer_count_named(map(), "BatchRoute"), 0);
}

TEST_F(BatchRouteTest, RefusalsEndWithoutOutputOrStamp) {
  // Only the network layer: no point layer to offer.
  ASSERT_EQ(command_->OnClick(), com::S_OK);
  ASSERT_EQ(person_->messages.size(), 1U);
  EXPECT_EQ(person_->messages[0].text, "Requires a point layer");
  EXPECT_EQ(person_->messages[0].title, "Data Not Found");
  EXPECT_EQ(person_->messages[0].icon, forms::Icon::Critical);

  point_layer("stops", Stops);
  // The dialog cancelled, then closed by its frame after an earlier confirmed choice.
  person_->expect<FrmBatch>("FrmBatch", [](FrmBatch& dialog) { dialog.CmdCancel.Click(); });
  ASSERT_EQ(command_->OnClick(), com::S_OK);
  shared_state().gBatchRouteCancelled = 0;
  ASSERT_EQ(command_->OnClick(), com::S_OK);
  EXPECT_EQ(person_->seen.back(), "closed FrmBatch");
  EXPECT_FALSE(file_exists("BatchRoute.dbf"));
  EXPECT_FALSE(stamped());

  // The network layer has no ".prj" for the routes: the run ends after its message.
  run({.from_layer = "stops", .to_layer = "stops", .route_objects = true});
  EXPECT_EQ(person_->messages.back().title, "PRJ");
  EXPECT_EQ(layer_count_named(map(), "BatchRoute"), 0);
  EXPECT_TRUE(problems_.empty());
  EXPECT_FALSE(stamped());

  // The engine cannot write the new table.
  for (const char* extension : {".dbf", ".shp", ".shx", ".cpg"})
    std::filesystem::remove(path(std::string("BatchRoute") + extension));
  std::filesystem::create_directories(path("BatchRoute.dbf.tmp/locked"));
  run({.from_layer = "stops", .to_layer = "stops"});
  // The file and why are the whole failure: the table was not written, not "not found".
  EXPECT_EQ(person_->messages.back().text,
            path("BatchRoute.dbf") + ": its new copy cannot be created: Is a directory");
  EXPECT_EQ(person_->messages.back().title, "Batch Route");
  EXPECT_TRUE(table_windows_.empty());
  EXPECT_FALSE(stamped());
}

TEST(BatchRouteRows, QuotedValuesWithAPointAsDecimalSign) {
  struct Case {
    std::string from, to;
    PairCosts costs;
    std::string expected;
  };
  const Case cases[] = {
      {"a", "b", {2.5f, 5.0f}, R"("a","b","2.5","5"," ")"},
      {"Main \"St\"", "x,y", {0.1f, 0.0f}, R"("Main ""St""","x,y","0.100000001490116","0"," ")"},
      {"", "", {1e-7f, 123456.789f}, R"("","","1.0000000116861E-07","123456.7890625"," ")"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(row_text(c.from, c.to, c.costs), c.expected);
}

TEST(BatchRouteProgress, PercentOfFromPointsWithoutDividingByZero) {
  EXPECT_EQ(progress_percent(0, 1), 100);
  EXPECT_EQ(progress_percent(0, 3), 0);
  EXPECT_EQ(progress_percent(1, 3), 50);
  EXPECT_EQ(progress_percent(2, 3), 100);
  EXPECT_EQ(progress_percent(1, 9), 12) << "12.5 rounds to even";
}

} // namespace
} // namespace corvane::testing
