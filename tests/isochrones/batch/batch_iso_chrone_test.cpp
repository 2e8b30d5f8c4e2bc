#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "batch_iso_fixture.h"
#include "com/create.h"
#include "host/fields.h"
#include "host/renderer.h"
#include "host/row.h"
#include "network/state/shared_state.h"

namespace corvane::testing {
namespace {

using Texts = std::vector<std::string>;
using Numbers = std::vector<double>;

// Three points on the drawn network; the island is beyond every zone.
const std::vector<LabelledPoint> Points{
    {"a", BatchRouteTest::A}, {"c", BatchRouteTest::C}, {"d", BatchRouteTest::D}};

Texts labels(host::HostUniqueValueRenderer& renderer) {
  Texts out;
  for (int i = 0; i < renderer.ValueCount(); ++i)
    out.push_back(renderer.Heading(renderer.Value(i)) + "/" + renderer.Value(i) + "=" +
                  renderer.Label(renderer.Value(i)));
  return out;
}

TEST_F(BatchIsoTest, ZonePolygonsPerPointOrForAllPointsAtOnce) {
  point_layer("stops", Points);
  struct Case {
    Overlap overlap;
    bool doughnut;
    Texts fields;
    Numbers ids;
    Numbers cost_start;
    Numbers cost_end;
  };
  const Case cases[] = {
      {Overlap::Allowed,
       false,
       {"NAME", "Cost_start", "Cost_end", "ID"},
       {0, 0, 1, 1, 2, 2},
       {0, 0, 0, 0, 0, 0},
       {1, 2, 1, 2, 1, 2}},
      {Overlap::Allowed,
       true,
       {"NAME", "Cost_start", "Cost_end", "ID"},
       {0, 0, 1, 1, 2, 2},
       {0, 1, 0, 1, 0, 1},
       {1, 2, 1, 2, 1, 2}},
      // One engine run: its zones as it wrote them, smallest first; no point field.
      {Overlap::None, false, {"COST_END"}, {}, {}, {1, 2}},
      // From all three points the 1 km zones already cover what 2 km reach: the empty ring is
      // left out.
      {Overlap::None, true, {"COST_END"}, {}, {}, {1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "overlap " << static_cast<int>(c.overlap) << " doughnut " << c.doughnut);
    shared_state().gAllowOverlap = c.overlap;
    shared_state().gDoughnut = c.doughnut;
    run();
    EXPECT_TRUE(messages().empty());
    const auto output = open("BatchIsochrone");
    ASSERT_TRUE(output);
    EXPECT_EQ(attribute_names(*output), c.fields);
    if (c.overlap == Overlap::Allowed) {
      EXPECT_EQ(output_numbers("ID"), c.ids);
      EXPECT_EQ(output_texts("NAME"), (Texts{"a", "a", "c", "c", "d", "d"}));
      EXPECT_EQ(output_numbers("Cost_start"), c.cost_start);
      EXPECT_EQ(output_numbers("Cost_end"), c.cost_end);
    } else {
      EXPECT_EQ(output_numbers("COST_END"), c.cost_end);
    }
    EXPECT_EQ(layers().front(), "roads");
    const auto renderer = renderer_of<host::HostUniqueValueRenderer>("BatchIsochrone");
    ASSERT_TRUE(renderer);
    EXPECT_EQ(renderer->Field(0), "COST_END");
    EXPECT_EQ(labels(*renderer), (Texts{"COST/1=0 - 1 Kilometers", "COST/2=1 - 2 Kilometers"}));
    EXPECT_EQ(flags(), 3) << "the last run's flags are removed first";
    // No file of a temporary set stays, its projection included.
    for (const char* temporary : {"BatchIsochrone1.shp", "BatchIsochrone3.shp", "BIsochrone.shp",
                                  "BatchIsochrone1.prj", "BIsochrone.prj"})
      EXPECT_FALSE(file_exists(temporary)) << temporary;
    EXPECT_TRUE(stamped());
  }
}

// The legend names each zone by the limits the user gave, whole or not.
TEST_F(BatchIsoTest, EveryZoneIsLabelledByItsOwnLimits) {
  point_layer("stops", Points);
  const std::vector<std::pair<std::vector<float>, Texts>> cases = {
      {{0.5F, 1.5F}, {"COST/0.5=0 - 0.5 Kilometers", "COST/1.5=0.5 - 1.5 Kilometers"}},
      {{1, 2}, {"COST/1=0 - 1 Kilometers", "COST/2=1 - 2 Kilometers"}},
  };
  for (const auto& [limits, expected] : cases) {
    set_zones(limits);
    run();
    const auto renderer = renderer_of<host::HostUniqueValueRenderer>("BatchIsochrone");
    ASSERT_TRUE(renderer);
    EXPECT_EQ(labels(*renderer), expected);
  }
}

TEST_F(BatchIsoTest, LinkIsochronesMarkEveryLinkWithItsNearestPointAndItsCost) {
  point_layer("stops", {{"a", A}, {"c", C}});
  // A "COST" of an earlier run: no link keeps it.
  const auto roads = open("roads");
  const auto cost = corvane::create<host::HostFieldEdit>(host::FieldClass);
  cost->SetName("COST");
  cost->SetType(host::field_double);
  cost->SetPrecision(10);
  cost->SetScale(3);
  ASSERT_EQ(roads->AddField(cost.get()), com::S_OK);
  for (std::int32_t id = 0; id < 4; ++id) {
    com::ComPtr<host::HostFeature> road;
    ASSERT_EQ(roads->GetFeature(id, &road), com::S_OK);
    ASSERT_EQ(road->SetValue(road->Fields()->FindField("COST"), com::Variant(9.0)), com::S_OK);
    ASSERT_EQ(road->Store(), com::S_OK);
  }

  for (const std::string legend : {"Costw", "Zonew"}) {
    SCOPED_TRACE(legend);
    shared_state().gNetworkResultPresent = false;
    run({.mode = BatchIsoLinkIsochrones, .legend = legend});
    EXPECT_TRUE(messages().empty());
    // ab and bd are nearer to a, cb to c (drawn from C); the island is reached by none.
    EXPECT_EQ(numbers(*open("roads"), "CV_RESULT"), (Numbers{1, 2, 1, 0}));
    EXPECT_EQ(numbers(*open("roads"), "COST"), (Numbers{1, 1.5, 1.5, 0}));
    EXPECT_FALSE(file_exists("BatchIsochrone.prj")); // no zone set: no projection for one
    EXPECT_TRUE(shared_state().gNetworkResultPresent);
    EXPECT_EQ(flags(), 2);
    if (legend == "Costw") {
      const auto bands = renderer_of<host::HostClassBreaksRenderer>("roads");
      ASSERT_TRUE(bands);
      EXPECT_EQ(bands->Field(), "COST");
    } else {
      const auto centres = renderer_of<host::HostUniqueValueRenderer>("roads");
      ASSERT_TRUE(centres);
      EXPECT_EQ(labels(*centres),
                (Texts{"Nearest Point/0=", "Nearest Point/1=Point 1", "Nearest Point/2=Point 2"}));
    }
    EXPECT_TRUE(stamped());
  }
}

TEST_F(BatchIsoTest, NearestCentreZonesCarryTheLabelOfTheirOwnPoint) {
  point_layer("stops", Points);
  run({.mode = BatchIsoNearestCentre});
  EXPECT_EQ(output_numbers("ID"), (Numbers{1, 2, 3}));
  EXPECT_EQ(output_texts("NAME"), (Texts{"a", "c", "d"}));
  auto renderer = renderer_of<host::HostUniqueValueRenderer>("BatchIsochrone");
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->Field(0), "ID");
  EXPECT_EQ(labels(*renderer), (Texts{"Nearest Zone/1=a", "Nearest Zone/2=c", "Nearest Zone/3=d"}));

  // A blanked field box means no field: the engine's zones as they are, numbered labels.
  run({.field = "", .mode = BatchIsoNearestCentre});
  EXPECT_EQ(attribute_names(*open("BatchIsochrone")), (Texts{"ID"}));
  renderer = renderer_of<host::HostUniqueValueRenderer>("BatchIsochrone");
  ASSERT_TRUE(renderer);
  EXPECT_EQ(labels(*renderer),
            (Texts{"Nearest Zone/1=Zone 1", "Nearest Zone/2=Zone 2", "Nearest Zone/3=Zone 3"}));
  EXPECT_TRUE(file_exists("BatchIsochrone.prj"));
}

// A "COST" of the user's that holds text cannot take the costs: the run is refused before any
// point is placed, naming the field and why, and the field keeps its values.
TEST_F(BatchIsoTest, LinkIsochronesRefuseATextFieldCost) {
  point_layer("stops", {{"a", A}, {"c", C}});
  const auto roads = open("roads");
  add_text_field(*roads, "COST");
  com::ComPtr<host::HostFeature> road;
  ASSERT_EQ(roads->GetFeature(0, &road), com::S_OK);
  ASSERT_EQ(road->SetValue(road->Fields()->FindField("COST"), com::Variant("mine")), com::S_OK);
  ASSERT_EQ(road->Store(), com::S_OK);

  run({.mode = BatchIsoLinkIsochrones});
  EXPECT_EQ(messages(),
            (Texts{"Field Not Usable: The network layer roads already has a field COST that holds "
                   "text: the link isochrones write each link's cost into that field as a "
                   "number. Rename or delete the field COST and run again; nothing was "
                   "changed."}));
  EXPECT_EQ(texts(*open("roads"), "COST"), (Texts{"mine", "", "", ""}));
  EXPECT_EQ(flags(), 0);
  EXPECT_FALSE(renderer_of<host::HostClassBreaksRenderer>("roads"));
  EXPECT_FALSE(stamped());
}

TEST_F(BatchIsoTest, OnePolygonClipsEachZoneAndSeveralClipTogether) {
  point_layer("stops", {{"a", A}});
  shared_state().gAllowOverlap = Overlap::Allowed;
  struct Case {
    std::vector<std::vector<double>> boxes;
    std::size_t zones;
  };
  // The zones of a reach 1 and 2 km; one box over a keeps both.
  const Case cases[] = {
      {{{-200, -200, 200, 200}}, 2},
      {{{-200, -200, 200, 200}, {4900, 4900, 6100, 5100}}, 2},
  };
  int clip = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.boxes.size());
    clip_to("Clip" + std::to_string(++clip), c.boxes);
    run();
    EXPECT_TRUE(messages().empty()) << ::testing::PrintToString(messages());
    EXPECT_EQ(output_numbers("Cost_end").size(), c.zones);
    EXPECT_FALSE(file_exists("BatchIsochrone1.shp"));
  }
}

// Clip layers that cannot cut, in every mode that clips: each is told, and no temporary stays.
TEST_F(BatchIsoTest, AClipLayerThatCannotCutIsToldAndLeavesNoTemporaries) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  point_layer("stops", {{"a", A}});
  struct Case {
    const char* what;
    std::vector<std::vector<double>> boxes;
    Overlap overlap;
    BatchIsoChoice choice;
    std::string message;
    bool last_output_stays;
  };
  const std::string refused = "Batch Isochrones: The clip layer Clip cannot cut the zones: ";
  const std::string mend =
      ". Choose another clip layer in the isochrone options, or mend this one; nothing was "
      "changed.";
  const std::string no_zone =
      "Clip Layer: No zone reaches into the clip layer Clip, so there is no zone to draw. Choose "
      "another clip layer in the isochrone options, or centres nearer to its polygons.";
  const std::vector<Case> cases = {
      {"a vertex that is not a number, zones apart",
       {{-200, nan, 200, 200}},
       Overlap::Allowed,
       {},
       refused + "polygon 0 has a vertex whose coordinates are not finite numbers" + mend,
       true},
      {"no polygon, nearest-centre zones",
       {},
       Overlap::None,
       {.mode = BatchIsoNearestCentre},
       refused + "it holds no polygon" + mend,
       true},
      {"no zone inside, zones apart",
       {{4900, 4900, 6100, 5100}},
       Overlap::Allowed,
       {},
       no_zone,
       false},
      {"no zone inside, zones merged",
       {{4900, 4900, 6100, 5100}},
       Overlap::None,
       {},
       no_zone,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shared_state().gClipMode = ClipMode::LayerMissing;
    run(); // the last output, unclipped
    ASSERT_TRUE(file_exists("BatchIsochrone.shp"));
    for (int i = map()->LayerCount() - 1; i >= 0; --i)
      if (map()->Layer(i)->Name() == "Clip")
        map()->DeleteLayer(map()->Layer(i).get());
    std::filesystem::remove_all(path("Clip"));
    clip_to("Clip", c.boxes);
    shared_state().gAllowOverlap = c.overlap;
    run(c.choice);
    EXPECT_EQ(messages(), (Texts{c.message}));
    EXPECT_EQ(file_exists("BatchIsochrone.shp"), c.last_output_stays);
    for (const char* temporary :
         {"BatchIsochrone1.shp", "BatchIsochrone1.prj", "BatchIsochrone3.shp", "BIsochrone.shp"})
      EXPECT_FALSE(file_exists(temporary)) << temporary;
  }
}

TEST_F(BatchIsoTest, PointsThatCannotBeUsedAreListedAndTheRunGoesOnWithTheOthers) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  point_layer("stops", {{"a", A},
                        {"broken", std::nullopt},
                        {"c", C},
                        {"no number", host::XY{nan, 0}},
                        {"infinite", host::XY{0, -inf}}});
  shared_state().gAllowOverlap = Overlap::Allowed;
  run();
  EXPECT_EQ(problems_, (Texts{"stops", "Fid = 1(Corrupt data found)",
                              "Fid = 3(Coordinates are not finite numbers)",
                              "Fid = 4(Coordinates are not finite numbers)"}));
  EXPECT_EQ(output_numbers("ID"), (Numbers{0, 0, 2, 2}));
  EXPECT_EQ(flags(), 2);
  EXPECT_EQ(shared_state().gBatchIsoPointCount, 2);
}

TEST_F(BatchIsoTest, EscapeKeepsTheZonesOfThePointsDone) {
  point_layer("stops", Points);
  shared_state().gAllowOverlap = Overlap::Allowed;
  escape_at_poll_ = 2; // while the second point is due
  run();
  EXPECT_EQ(output_numbers("ID"), (Numbers{0, 0}));
  EXPECT_EQ(flags(), 1);
  EXPECT_TRUE(layers().size() > 2) << "the output is shown";
}

TEST_F(BatchIsoTest, RefusalsLeaveTheLastOutputInPlace) {
  point_layer("stops", Points);
  run();
  ASSERT_TRUE(file_exists("BatchIsochrone.shp"));

  struct Case {
    const char* what;
    std::function<void()> arrange;
    BatchIsoChoice choice;
    Texts expected;
  };
  std::vector<LabelledPoint> many(BatchIsoChrone::MaxPoints + 1, {"p", A});
  const Case cases[] = {
      {"layer gone",
       [] {},
       {.layer = "nowhere"},
       {"Layer Not Found: Point layer \"nowhere\" not found"}},
      {"field typed wrong",
       [] {},
       {.field = "NAM"},
       {"FIELD NOT FOUND: The layer stops has no field NAM."}},
      {"named like an output",
       [this] { point_layer("batchisochrone2", Points); },
       {.layer = "batchisochrone2"},
       {"Batch Isochrones: The layer batchisochrone2 is named like an output of this command, "
        "which every run deletes. Rename the layer's files and try again."}},
      {"too many points",
       [&] { point_layer("many", many); },
       {.layer = "many"},
       {"Batch Isochrones: The layer many holds 1002 points; one run takes at most 1001."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    const auto before = settings_text();
    run(c.choice);
    EXPECT_EQ(messages(), c.expected);
    EXPECT_TRUE(file_exists("BatchIsochrone.shp"));
    EXPECT_EQ(settings_text(), before) << "not stamped";
  }
  // Before the dialog: no zones.
  set_zones({});
  messages_before_ = person_->messages.size();
  EXPECT_EQ(iso_command_->OnClick(), com::S_OK);
  EXPECT_EQ(messages(), (Texts{"Error: Create zones"}));
  EXPECT_TRUE(file_exists("BatchIsochrone.shp"));
}

TEST_F(BatchIsoTest, EmptyLayersAndAMissingProjectionEndEachModeWithItsMessage) {
  point_layer("stops", Points);
  point_layer("empty", {});
  struct Case {
    std::int32_t mode;
    std::string layer;
    bool projection;
    Texts expected;
  };
  const std::string prj = "PRJ: The chosen polyline layer is missing projection information. "
                          "Please use ArcCatalog to add this.";
  const Case cases[] = {
      {BatchIsoZonePolygons, "empty", true, {"Nothing Found: Corrupt data"}},
      {BatchIsoLinkIsochrones,
       "empty",
       true,
       {"Nothing Found: No point founds to generate IsoChrone"}},
      {BatchIsoNearestCentre,
       "empty",
       true,
       {"Currupt Data: Corrupt data found. Exiting Batch Isochrone"}},
      {BatchIsoZonePolygons, "stops", false, {prj}},
      {BatchIsoLinkIsochrones, "stops", false, {prj}},
      {BatchIsoNearestCentre, "stops", false, {prj}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " " << c.layer);
    if (c.projection)
      give_network_a_projection();
    else
      std::filesystem::remove(path("roads.prj"));
    const auto before = settings_text();
    run({.layer = c.layer, .mode = c.mode});
    EXPECT_EQ(messages(), c.expected);
    EXPECT_FALSE(file_exists("BatchIsochrone.shp"));
    EXPECT_EQ(numbers(*open("roads"), "CV_RESULT"), (Numbers{0, 0, 0, 0})) << "no result";
    EXPECT_EQ(settings_text(), before) << "not stamped";
  }
}

TEST_F(BatchIsoTest, AClipLayerGoneFromTheMapTurnsClippingOff) {
  point_layer("stops", Points);
  auto& state = shared_state();
  state.gClipMode = ClipMode::ToLayer;
  state.gClipLayerName = "Gone";
  run();
  EXPECT_EQ(messages(), (Texts{"Layer Not Found: Clip layer not found"}));
  EXPECT_EQ(state.gClipMode, ClipMode::LayerMissing);
  EXPECT_EQ(output_numbers("COST_END"), (Numbers{1, 2}));
}

} // namespace
} // namespace corvane::testing
