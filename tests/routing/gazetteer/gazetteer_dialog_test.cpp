#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/create.h"
#include "dialogs/routing/frm_gezetted.h"
#include "dialogs/routing/frm_gezz1.h"
#include "gazetteer_network.h"
#include "host/fields.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::act;

// Types a value and adds it with the ADD button.
void add(FrmGezetted& d, const std::string& value) {
  act(d, "Text1", Gesture::Set, value);
  act(d, "CmdAdd", Gesture::Click);
}

std::vector<std::string> items(const forms::ListControl& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.ListCount(); ++i)
    out.push_back(list.List(i));
  return out;
}

class GazetteerDialog : public testing::GazetteerTest {
protected:
  void SetUp() override {
    GazetteerTest::SetUp();
    build();
  }

  // Runs the command with one script for the gazetteer dialog; the list of stops as the script
  // left it is kept in `stops_seen`.
  void run(std::function<void(FrmGezetted&)> script) {
    person_->expect<FrmGezetted>("FrmGezetted", [this, script](FrmGezetted& d) {
      script(d);
      if (d.Loaded())
        stops_seen = items(d.List1);
    });
    EXPECT_TRUE(run_gazetteer());
  }
  void pick(std::function<void(FrmGezz1&)> script) {
    person_->expect<FrmGezz1>("FrmGezz1", std::move(script));
  }
  bool route_written() { return std::filesystem::exists(path("Route.shp")); }

  std::vector<std::string> stops_seen;
};

TEST_F(GazetteerDialog, AddsByValueEnterAndPickAndDeleteMovesTheStart) {
  std::vector<std::string> candidates;
  std::string caption;
  pick([&](FrmGezz1& p) {
    candidates = items(p.Gezz1List);
    caption = p.Label1.Caption();
    act(p, "Gezz1List", Gesture::DoubleClick, "#1");
  });
  std::vector<std::string> before_delete;
  run([&](FrmGezetted& d) {
    add(d, "Alpha");
    act(d, "Text1", Gesture::Set, "O'Brien Square");
    act(d, "Text1", Gesture::Key, "13");
    add(d, "Beta");
    before_delete = items(d.List1);
    act(d, "List1", Gesture::Select, "#0");
    act(d, "CmdDelete", Gesture::Click);
    act(d, "CmdCancel", Gesture::Click);
  });
  EXPECT_EQ(caption, "Multiple Records Found");
  EXPECT_EQ(candidates, (std::vector<std::string>{"Beta", "Beta"}));
  EXPECT_EQ(before_delete, (std::vector<std::string>{"Alpha(Start)", "O'Brien Square", "Beta"}));
  EXPECT_TRUE(shown().empty());
  // The start moved, and the rows after the deleted stop moved up: the second Beta was picked.
  const auto& state = shared_state();
  EXPECT_EQ(state.gGazetteerStops[1].X, 400);
  EXPECT_EQ(state.gGazetteerStops[2].X, 300);
  EXPECT_EQ(state.gGazetteerHasStops, 0);
  EXPECT_FALSE(route_written());
}

TEST_F(GazetteerDialog, TypedValuesAreComparedNeverInterpreted) {
  run([&](FrmGezetted& d) {
    // The layer's last field is shown without a click: it is compared as the text it is.
    add(d, "Alpha");
    add(d, "x' OR NAME <> 'y");
    act(d, "Combo2", Gesture::Select, "ID");
    for (const char* value : {"12 OR 1=1", "5a", "1,2.0"})
      add(d, value);
    add(d, "1.2e1");
    // A number typed with a decimal comma is the number it says.
    add(d, " 2,0 ");
  });
  EXPECT_EQ(stops_seen, (std::vector<std::string>{"Alpha(Start)", "12", "2"}));
  const std::string refused = "Envalid entries: Invalid data. Enter a number ";
  EXPECT_EQ(shown(),
            (std::vector<std::string>{"Data Not Found: No data found", refused, refused, refused}));
  EXPECT_EQ(shared_state().gGazetteerStops[2].Y, 200);
}

TEST_F(GazetteerDialog, PartialMatchesArePickedAndEveryOtherWayOutAddsNothing) {
  auto& state = shared_state();
  // An earlier run ended with OK.
  state.gGazetteerHasStops = 1;
  std::vector<std::string> candidates;
  std::string caption;
  pick([&](FrmGezz1& p) {
    candidates = items(p.Gezz1List);
    caption = p.Label1.Caption();
    act(p, "CmbCancel", Gesture::Click);
  });
  pick([](FrmGezz1&) {}); // closed by its frame
  pick([](FrmGezz1& p) {
    act(p, "CmbOK", Gesture::Click);
    act(p, "Gezz1List", Gesture::Select, "Alphaville");
    act(p, "Gezz1List", Gesture::Key, "13");
  });
  run([&](FrmGezetted& d) {
    for (int i = 0; i < 3; ++i)
      add(d, "lph");
    act(d, "CmdOk", Gesture::Click);
  });
  EXPECT_EQ(caption, "3 Records containing input value found");
  EXPECT_EQ(candidates, (std::vector<std::string>{"Alpha", "Alphaville", "ALPHA corner"}));
  EXPECT_EQ(stops_seen, std::vector<std::string>{"Alphaville(Start)"});
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Select: No selection found",
                         "Insufficient Data: Atleast 2 points are required to calculate route"}));
  // The dialog closed by its frame is a Cancel: the earlier OK does not route again.
  EXPECT_EQ(state.gGazetteerHasStops, 0);
  EXPECT_FALSE(route_written());
}

TEST_F(GazetteerDialog, ANodeTwiceInARowIsRefusedAndOptimiseWarnsOfRepeats) {
  auto& state = shared_state();
  state.gUseDescField = 1;
  state.gDescFieldName = "NAME";
  state.gTspMode = TspMode{.kind = TourKind::StartEnd};
  pick([](FrmGezz1& p) { act(p, "Gezz1List", Gesture::DoubleClick, "#0"); });
  run([&](FrmGezetted& d) {
    add(d, "Alpha");
    add(d, "ALPHA corner"); // snaps to Alpha's node
    add(d, "Beta");
    add(d, "ALPHA corner");
    add(d, "O'Brien Square");
    act(d, "OptOptimise", Gesture::Click);
    act(d, "CmdOk", Gesture::Click);
  });
  EXPECT_EQ(shown()[0], "Same Location: Same location selected");
  EXPECT_EQ(shown()[1], "Same Location: Same location selected");
  EXPECT_EQ(state.gGazetteerStopCount, 4);
  EXPECT_EQ(state.gGazetteerMode, 1);
  // The tour was made all the same.
  EXPECT_TRUE(route_written());
}

TEST_F(GazetteerDialog, APlaceWithoutAShapeClosesTheDialogAndEndsTheCommand) {
  const auto places = open("places");
  com::ComPtr<host::HostFeature> nowhere;
  ASSERT_EQ(places->CreateFeature(&nowhere), com::S_OK);
  ASSERT_EQ(nowhere->SetValue(places->FindField("NAME"), com::Variant("Nowhere")), com::S_OK);
  ASSERT_EQ(nowhere->Store(), com::S_OK);
  bool closed = false;
  run([&](FrmGezetted& d) {
    add(d, "Alpha");
    add(d, "Nowhere");
    closed = !d.Loaded();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(shown(), std::vector<std::string>{"Corrupt data: Corrupt data found"});
  EXPECT_EQ(shared_state().gGazetteerCancelled, 1);
  EXPECT_FALSE(route_written());
}

// A point layer whose table holds nothing but the ids (a table written without attributes has
// the one column "FID") offers no field: ADD says why it does nothing, and the layer with names
// still serves.
TEST_F(GazetteerDialog, ALayerWithoutAFieldToLookUpSaysSo) {
  const auto bare = shapefile("bare", host::geometry_point, {{{0, 0}}, {{400, 0}}});
  const auto ids = com::create_object<host::HostFieldEdit>(host::FieldClass);
  ids->SetName("FID");
  ids->SetType(host::field_integer);
  ASSERT_EQ(bare->AddField(ids.get()), com::S_OK);
  const auto fields = bare->Fields();
  ASSERT_EQ(bare->DeleteField(fields->Field(fields->FindField("ID")).get()), com::S_OK);
  add_layer(bare, "bare");
  std::vector<std::string> bare_fields;
  run([&](FrmGezetted& d) {
    act(d, "Combo1", Gesture::Select, "bare");
    bare_fields = items(d.Combo2);
    add(d, "Alpha");
    act(d, "Combo1", Gesture::Select, "places");
    add(d, "Alpha");
  });
  EXPECT_EQ(bare_fields, std::vector<std::string>{});
  const std::string refused =
      "Field not found: The layer bare has no field to find the stops by: its table holds nothing "
      "but the features' ids. Choose another layer, or add a field with the places' names to its "
      "table.";
  EXPECT_EQ(shown(), std::vector<std::string>{refused});
  EXPECT_EQ(stops_seen, std::vector<std::string>{"Alpha(Start)"});
}

TEST_F(GazetteerDialog, WithoutAPointLayerTheDialogDoesNotOpen) {
  map()->DeleteLayer(map()->Layer(0).get());
  EXPECT_TRUE(run_gazetteer());
  EXPECT_EQ(shown(), std::vector<std::string>{"Data not found: Requires a point layer"});
  EXPECT_EQ(person_->pending(), 0U);
}

} // namespace
} // namespace corvane
