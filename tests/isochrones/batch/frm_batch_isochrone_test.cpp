#include <algorithm>
#include <string>
#include <vector>

#include "batch_iso_fixture.h"
#include "network/state/shared_state.h"

namespace corvane::testing {
namespace {

using Items = std::vector<std::string>;

Items items(const forms::ComboBox& box) {
  Items out;
  for (int i = 0; i < box.ListCount(); ++i)
    out.push_back(box.List(i));
  return out;
}

// The field box as a person sees it: its items, whether it can be used, and its colour.
struct FieldBox {
  Items items;
  bool enabled;
  forms::Color colour;
  bool operator==(const FieldBox&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FieldBox& box) {
  out << (box.enabled ? "enabled" : "disabled") << " " << box.colour << ":";
  for (const auto& item : box.items)
    out << " " << item;
  return out;
}

FieldBox field_box(const FrmBatchIsochrone& dialog) {
  return {items(dialog.CmdFild), dialog.CmdFild.Enabled(), dialog.CmdFild.BackColor()};
}

constexpr auto usable = forms::HighlightText;
constexpr auto unusable = forms::ButtonFace;

using FrmBatchIsochroneTest = BatchIsoTest;

TEST_F(FrmBatchIsochroneTest, OffersPointShapefilesLastFirstWithTheirFieldsAndStoresTheChoice) {
  point_layer("stops", {{"a", A}});
  point_layer("targets", {{"c", C}});
  // Neither a polyline layer nor a point layer of a table is offered.
  add_layer(shapefile("lines", host::geometry_polyline, {{A, B}}), "lines");
  run_with([](FrmBatchIsochrone& dialog) {
    EXPECT_EQ(items(dialog.CmdTab), (Items{"targets", "stops"}));
    EXPECT_EQ(dialog.CmdTab.Text(), "stops") << "the last in map order";
    // "ID" is no label: the fields after the object id and shape, the last preselected.
    EXPECT_EQ(field_box(dialog), (FieldBox{{"NAME"}, true, usable}));
    EXPECT_EQ(dialog.CmdFild.Text(), "NAME");
    EXPECT_TRUE(dialog.RadVoronoi.Value());
    EXPECT_EQ(shared_state().gBatchIsoDialogState, BatchIsoFieldsListed);
    EXPECT_EQ(dialog.Perform("RadCloCen", {forms::Gesture::Click, ""}), "");
    EXPECT_EQ(dialog.Perform("CmdTab", {forms::Gesture::Select, "targets"}), "");
    EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "");
  });
  const auto& state = shared_state();
  EXPECT_EQ(state.gBatchIsoDialogState, BatchIsoConfirmed);
  EXPECT_EQ(state.gBatchIsoMode, BatchIsoNearestCentre);
  EXPECT_EQ(state.gBatchIsoLayerName, "targets");
  EXPECT_EQ(state.gBatchIsoFieldName, "NAME");
  EXPECT_EQ(state.gBatchIsoNoField, 0);
}

TEST_F(FrmBatchIsochroneTest, FieldBoxFollowsTheModeAndTheLayersFields) {
  point_layer("stops", {{"a", A}});
  // A layer whose only attribute is "ID" offers no field.
  add_layer(shapefile("bare", host::geometry_point, {{A}}), "bare");
  struct Step {
    const char* what;
    const char* control;
    forms::UserAction action;
    FieldBox expected;
    std::int32_t no_field;
  };
  const Step steps[] = {
      {"layer without fields",
       "CmdTab",
       {forms::Gesture::Select, "bare"},
       {{}, false, unusable},
       2},
      {"nearest centre keeps it off",
       "RadCloCen",
       {forms::Gesture::Click, ""},
       {{}, false, unusable},
       2},
      {"a layer with fields",
       "CmdTab",
       {forms::Gesture::Select, "stops"},
       {{"NAME"}, true, usable},
       0},
      {"link isochrones", "RadLnkIso", {forms::Gesture::Click, ""}, {{"NAME"}, false, unusable}, 0},
      {"polygons again", "RadVoronoi", {forms::Gesture::Click, ""}, {{"NAME"}, true, usable}, 0},
      // A half-typed name finds no layer and leaves the list as it was.
      {"typing", "CmdTab", {forms::Gesture::Set, "ba"}, {{"NAME"}, true, usable}, 0},
      {"typed in full", "CmdTab", {forms::Gesture::Set, "bare"}, {{}, false, unusable}, 2},
      {"a key", "CmdTab", {forms::Gesture::Key, "40"}, {{}, false, unusable}, 2},
  };
  run_with([&](FrmBatchIsochrone& dialog) {
    for (const auto& step : steps) {
      SCOPED_TRACE(step.what);
      EXPECT_EQ(dialog.Perform(step.control, step.action), "");
      EXPECT_EQ(field_box(dialog), step.expected);
      EXPECT_EQ(shared_state().gBatchIsoNoField, step.no_field);
      EXPECT_TRUE(dialog.CmdTab.Enabled());
    }
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(shared_state().gBatchIsoDialogState, BatchIsoCancelled);
}

TEST_F(FrmBatchIsochroneTest, ALayerRenamedInTheMapOffersNoFields) {
  point_layer("stops", {{"a", A}});
  map()->Layer(0)->SetName("Bus stops");
  run_with([](FrmBatchIsochrone& dialog) {
    EXPECT_EQ(dialog.CmdTab.Text(), "Bus stops");
    EXPECT_EQ(field_box(dialog), (FieldBox{{}, false, unusable}));
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(shared_state().gBatchIsoNoField, 2);
}

TEST_F(FrmBatchIsochroneTest, OnlyOkStartsARunAndEveryShowingStartsInPolygonMode) {
  point_layer("stops", {{"a", A}});
  auto& state = shared_state();
  // An earlier run confirmed nearest centres.
  state.gBatchIsoDialogState = BatchIsoConfirmed;
  state.gBatchIsoMode = BatchIsoNearestCentre;
  // Closed by its frame: nothing runs, no flag is placed.
  run_with([](FrmBatchIsochrone& dialog) { EXPECT_TRUE(dialog.RadVoronoi.Value()); });
  EXPECT_EQ(state.gBatchIsoDialogState, BatchIsoCancelled);
  EXPECT_EQ(flags(), 0);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(file_exists("BatchIsochrone.shp"));
}

TEST_F(FrmBatchIsochroneTest, AMapWithoutPointShapefilesIsRefusedBeforeTheDialog) {
  add_layer(shapefile("lines", host::geometry_polyline, {{A, B}}), "lines");
  EXPECT_EQ(iso_command_->OnClick(), com::S_OK);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Data Not Found: Requires a point layer"}));
  EXPECT_EQ(std::count(person_->seen.begin(), person_->seen.end(), "modal FrmBatchIsochrone"), 0);
}

} // namespace
} // namespace corvane::testing
