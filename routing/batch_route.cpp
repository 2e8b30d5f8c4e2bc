#include "routing/batch_route.h"

#include <string>
#include <vector>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/engine_error_text.h"
#include "common/layer_spatial_reference.h"
#include "common/network_projection.h"
#include "common/output_sets.h"
#include "common/point_layer_list.h"
#include "common/remove_from_map.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/frame/frm_error.h"
#include "dialogs/routing/frm_batch.h"
#include "host/active_view.h"
#include "host/layer.h"
#include "host/table_window.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/batch_route_output.h"
#include "routing/batch_route_table.h"
#include "routing/route_output.h"

namespace corvane {

namespace {

com::ComPtr<host::HostFeatureClass> point_layer_features(host::HostMap& map,
                                                         std::int32_t list_row) {
  const auto layer = require_as<host::HostFeatureLayer>(
      map.Layer(shared_state().gLayerList[list_row].MapIndex), "batch layer");
  return require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
}

} // namespace

BatchRoute::BatchRoute()
    : CommandBase({.Caption = "Batch Route",
                   .Name = "Batch Route",
                   .Tooltip = "Batch Route",
                   .Message = "Generates the Time-Distance table",
                   .BitmapId = 7040}) {}

void BatchRoute::click() {
  auto& state = shared_state();
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  if (!choose_layers(*map))
    return;

  const auto from_features = point_layer_features(*map, state.gBatchRouteFromIndex);
  const auto to_features = point_layer_features(*map, state.gBatchRouteToIndex);
  // The engine replaces the table's files: a table of the user's under its name must stay.
  RequireOwnOrNoSet(BatchRouteOutput);
  RemoveBatchRouteOutput(map.get());
  const bool build_objects = state.gBatchRouteBuildObjects == 1;
  const bool both_ways = state.gBatchRouteBothWays == 1;

  auto& base = *require(state.gNetBase, "gNetBase");
  auto& calc = *require(state.gNetCalc, "gNetCalc");
  base.SetOutputOption(tamix::ShapefileOutput);
  BatchOutputTable table(calc);
  if (table.creation_code() != 0) {
    show_message(EngineErrorText(table.creation_code()), "Batch Route", forms::Icon::Critical);
    return;
  }
  // The weights, speeds and closures of this run. The batch names no result table of its own and
  // leaves "CV_RESULT" alone: the last route stays marked in the network layer.
  ApplyCostSettings();

  const auto network_reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());
  const BatchRouteRequest request{
      .from = {from_features.get(), state.gBatchRouteFromLayer, state.gBatchRouteFromField},
      .to = {to_features.get(), state.gBatchRouteToLayer, state.gBatchRouteToField},
      .same_layer = state.gBatchRouteFromFolder == state.gBatchRouteToFolder &&
                    state.gBatchRouteFromLayer == state.gBatchRouteToLayer,
      .both_ways = both_ways,
      .build_objects = build_objects,
      .network_reference = network_reference.get(),
      .route_type = state.gRouteType};
  std::vector<std::string> problems;
  const auto end = WriteBatchRouteRows(request, base, calc, problems);
  table.close();
  if (end == BatchRunEnd::Failed)
    return;
  if (end == BatchRunEnd::Cancelled) {
    StampNetworkEdited();
    return;
  }

  if (!show_output(*map, build_objects))
    return;
  require_as<host::HostActiveView>(map, "Map as ActiveView")->Refresh();
  ShowProblemList(problems);
  StampNetworkEdited();
}

bool BatchRoute::choose_layers(host::HostMap& map) {
  auto& dialog = gFrmBatchForm();
  dialog.CmbFtable.Clear();
  dialog.CmbTtable.Clear();
  if (map.LayerCount() == 0) {
    show_message("Requires a point layer", "Data Not Found", forms::Icon::Information);
    return false;
  }
  if (list_point_layers(map, {&dialog.CmbFtable, &dialog.CmbTtable}) == 0) {
    show_message("Requires a point layer", "Data Not Found", forms::Icon::Critical);
    return false;
  }
  dialog.Show(forms::ShowMode::Modal);
  return shared_state().gBatchRouteCancelled != 1;
}

bool BatchRoute::show_output(host::HostMap& map, bool build_objects) {
  if (!build_objects) {
    OpenTable();
    return true;
  }
  if (!CopyNetworkProjection({BatchRouteOutput}))
    return false;
  // Without any connected pair the engine wrote no shapes: the table alone is shown.
  if (add_batch_route_layer(&map))
    ShowBatchRouteLayerTable();
  else
    OpenTable();
  return true;
}

void BatchRoute::OpenTable() {
  const auto map = focus_map();
  com::ComPtr<host::HostTable> table;
  check_call(OpenNetworkWorkspace()->OpenTable(std::string(BatchRouteOutput), &table),
             "FeatureWorkspace.OpenTable");
  require(table, "FeatureWorkspace.OpenTable");
  remove_tables(map.get(), BatchRouteOutput);
  const auto standalone = create<host::HostStandaloneTable>(host::StandaloneTableClass);
  check_call(require_as<host::HostStandaloneTableCollection>(map, "StandaloneTableCollection")
                 ->AddStandaloneTable(standalone.get()),
             "AddStandaloneTable");
  standalone->SetTable(table.get());
  hide_id_and_shape(standalone.get(), require(table->Fields(), "Table.Fields").get());
  const auto window = create<host::HostTableWindow>(host::TableWindowClass);
  window->SetStandaloneTable(standalone.get());
  window->SetApplication(application().get());
  check_call(window->Show(true), "TableWindow.Show");
  document()->UpdateContents();
}

void BatchRoute::ShowBatchRouteLayerTable() {
  const auto map = focus_map();
  const auto layer = require_as<host::HostFeatureLayer>(map->Layer(0), "top layer");
  const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  hide_id_and_shape(layer.get(), require(features->Fields(), "FeatureClass.Fields").get());
  const auto window = create<host::HostTableWindow>(host::TableWindowClass);
  window->SetLayer(layer.get());
  window->SetApplication(application().get());
  if (!window->IsVisible())
    check_call(window->Show(true), "TableWindow.Show");
}

} // namespace corvane
