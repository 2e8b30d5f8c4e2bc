#include "tsp/tsp_tables.h"
#include "common/feature_copies.h"
#include "common/output_sets.h"

#include <string>

#include "com/letter_case.h"
#include "common/apply_engine_settings.h"
#include "common/apply_route_color.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/description_field_check.h"
#include "common/elements_at_point.h"
#include "common/layer_spatial_reference.h"
#include "common/point_at.h"
#include "common/point_layer_list.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/tour_mode.h"
#include "common/write_route_shapefile.h"
#include "dialogs/tsp/add_field.h"
#include "dialogs/tsp/tsp_table.h"
#include "host/active_view.h"
#include "host/fields.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/route_legs.h"
#include "routing/route_output.h"

namespace corvane {

namespace {

constexpr std::string_view MarkedLinks = "CV_RESULT > 0";
// The first field a label may come from: 0 and 1 are the object id and the shape.
constexpr int FirstLabelField = 2;

// The labels of the last run stand at its points (and one row beyond, as they always did).
void delete_last_labels(const LabelPlace& place) {
  const auto& state = shared_state();
  for (std::int32_t row = 0; row <= state.gTspTablePointCount + 1; ++row) {
    const auto& at = state.gTspTablePoints[row];
    DeleteElementsAt(place.map, point_at(at.X, at.Y, place.reference).get());
  }
}

bool refuse_point_count(std::int32_t count) {
  if (count == 0) {
    show_message("No Feature Found", "Null Feautre", forms::Icon::Exclamation);
    return true;
  }
  if (count == 1) {
    show_message("Minimum Two Point Required", "Required", forms::Icon::Exclamation);
    return true;
  }
  const std::int32_t most = MostTourStops(shared_state().gTspMode);
  if (count > most) {
    show_message("A tour takes at most " + std::to_string(most) + " points", "Batch TSP",
                 forms::Icon::Exclamation);
    return true;
  }
  return false;
}

} // namespace

TspTables::TspTables()
    : CommandBase({.Caption = "TSP from Table",
                   .Name = "TSP from Table",
                   .Tooltip = "TSP from Table",
                   .Message = "Generates a TSP tour from a point layer",
                   .BitmapId = 7004}) {}

void TspTables::click() {
  auto& state = shared_state();
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  drop_missing_description_field(map.get(), "FIELD NOT FOUND");
  const auto view = require(document()->ActiveView(), "ActiveView");
  const auto network = NetworkFeatureClass(map.get());
  const auto reference = GetLayerSpatialReference(network.get());
  const LabelPlace place{map.get(), view.get(), reference.get()};
  delete_last_labels(place);
  const auto workspace = OpenNetworkWorkspace();
  RemoveOutputShapefile(map.get(), view.get(), BatchTspOutput);

  const auto points = choose_point_layer(*map);
  if (!points)
    return;
  state.gStopNodes.clear();
  state.gMultiStopCount = 0;
  SetResultTableAndField();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  auto& base = *require(state.gNetBase, "NetBase");
  state.gEngineResult = calc.ClearResultField(-1, 0);
  std::int32_t count = 0;
  check_call(points->FeatureCount(nullptr, &count), "FeatureCount");
  points_.reallocate(count + 1);
  point_count_ = count;
  if (refuse_point_count(count))
    return;
  std::optional<int> label_field;
  if (!choose_label_field(*points, label_field))
    return;

  BusyPointer busy;
  if (!PlaceTablePoints(*points, label_field, count, base, calc, place, points_))
    return;
  view->Refresh();
  ApplyCostSettings();
  const bool with_directions = state.gUseDescField == 1;
  // Made before the tour is solved: a run that ends early leaves it, not in the map.
  const auto output =
      CreateRouteShapefile(workspace.get(), network.get(), with_directions, 10, BatchTspOutput);
  if (!OrderTableTour(calc, place, points_))
    return;
  if (!write_tour(*map, *view, *network, output))
    return;
  busy.reset();
  StampNetworkEdited();
}

com::ComPtr<host::HostFeatureClass> TspTables::choose_point_layer(host::HostMap& map) {
  auto& state = shared_state();
  if (map.LayerCount() == 0) {
    show_message("Requires a point layer", "Data Not Found", forms::Icon::Information);
    return nullptr;
  }
  auto& dialog = gTspTableForm();
  state.gTspTableLayerIndex = 0;
  dialog.SeltTab.Clear();
  if (list_point_layers(map, {&dialog.SeltTab}) == 0) {
    show_message("Requries a Point Layer", "Data Not Found", forms::Icon::Critical);
    return nullptr;
  }
  dialog.Show(forms::ShowMode::Modal);
  if (state.gTspTableCancelled == 1)
    return nullptr;
  const auto layer = require_as<host::HostFeatureLayer>(
      map.Layer(state.gLayerList[state.gTspTableLayerIndex].MapIndex), "point layer");
  return require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
}

bool TspTables::choose_label_field(host::HostFeatureClass& points, std::optional<int>& field) {
  auto& state = shared_state();
  auto& dialog = gAddFieldForm();
  dialog.Combo1.Clear();
  dialog.Combo1.AddItem("OID");
  const auto fields = require(points.Fields(), "Fields");
  for (int i = FirstLabelField; i < fields->FieldCount(); ++i) {
    const auto candidate = require(fields->Field(i), "Field");
    if (candidate->Type() == host::field_string)
      dialog.Combo1.AddItem(candidate->Name());
  }
  dialog.Combo1.SetText("OID");
  dialog.Show(forms::ShowMode::Modal);
  if (state.gAddFieldOk == 0)
    return false;
  if (com::equal_ignoring_case(state.gAddFieldName, "OID"))
    field.reset();
  else
    field = points.FindField(state.gAddFieldName);
  return true;
}

bool TspTables::write_tour(host::HostMap& map, host::HostActiveView& view,
                           host::HostFeatureClass& network,
                           const com::ComPtr<host::HostFeatureClass>& output) {
  auto& state = shared_state();
  auto& base = *require(state.gNetBase, "NetBase");
  auto& calc = *require(state.gNetCalc, "NetCalc");
  state.gTspTablePointCount = state.gMultiStopCount;
  stage_names_.plan(state.gStopNodes, state.gMultiStopCount);
  std::optional<RouteDirections> directions;
  if (state.gUseDescField == 1)
    directions.emplace(
        base, calc, network, state.gDescFieldName,
        DirectionStyle{.turns = TurnTable::Tour,
                       .stage_text = [this](std::int32_t leg) { return stage_text(leg); }});
  const LegRules rules{
      .skip_equal_stops = true,
      .partial_text = "From and to points are not connected. Calculating To The Possible Extent"};
  const auto totals =
      SolveRouteLegs(calc, state.gMultiStopCount, directions ? &*directions : nullptr, rules);
  if (!totals)
    return false;

  FillOutputWhole(*output, [&](host::HostFeatureClass& tour) {
    if (directions)
      WriteRouteShapefile(&tour, state.gDirections, directions->row_count(), directions->shapes(),
                          state.gRouteType);
    else
      CopyNetworkLinks(&tour, &network, MarkedLinks);
  });
  if (const auto message = RouteTotalsMessage(state.gRouteType, totals->primary, totals->secondary,
                                              state.gDistUnits, "Minutes"))
    show_message(message->text, message->title, forms::Icon::Information);
  const auto layer = LayerOver(output);
  check_call(map.AddLayer(layer.get()), "AddLayer");
  ApplyRouteColor(&map, &view);
  if (directions)
    OpenRouteTable(layer.get(), application().get());
  view.Refresh();
  return true;
}

std::string TspTables::stage_text(std::int32_t leg) {
  return stage_names_.text(points_, point_count_, &TSPPOINT::NodNum, &TSPPOINT::FldVal, leg);
}

} // namespace corvane
