#include "isochrones/batch_iso_chrone.h"

#include <string>
#include <vector>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/clip_layer.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/point_layer_list.h"
#include "common/show_message.h"
#include "dialogs/frame/frm_error.h"
#include "dialogs/isochrones/frm_batch_isochrone.h"
#include "host/active_view.h"
#include "isochrones/batch_iso_run.h"
#include "isochrones/batch_link_isochrones.h"
#include "isochrones/batch_nearest_centres.h"
#include "isochrones/batch_zone_polygons.h"
#include "isochrones/centre_costs.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr std::string_view Title = "Batch Isochrones";

// The label field of the run: the chosen field in the modes that carry one, none when the layer
// offers none or the user blanked the box.
std::string label_field_of_run() {
  const auto& state = shared_state();
  if (state.gBatchIsoMode == BatchIsoLinkIsochrones ||
      state.gBatchIsoNoField == BatchIsoWithoutField)
    return {};
  return state.gBatchIsoFieldName;
}

bool run_mode(BatchIsoRun& run) {
  switch (shared_state().gBatchIsoMode) {
  case BatchIsoZonePolygons:
    return BatchZonePolygons(run);
  case BatchIsoLinkIsochrones:
    return BatchLinkIsochrones(run);
  case BatchIsoNearestCentre:
    return BatchNearestCentres(run);
  default:
    return true;
  }
}

} // namespace

BatchIsoChrone::BatchIsoChrone()
    : CommandBase({.Caption = "Batch Isochrones",
                   .Name = "Batch Isochrones",
                   .Tooltip = "Batch Isochrones",
                   .Message = "Generates Isochrones for points in a layer",
                   .BitmapId = 7043}) {}

void BatchIsoChrone::click() {
  auto& state = shared_state();
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get(), {.description_field_title = {},
                                     .modified_before_layer = false,
                                     .zone_test = true,
                                     .layer_not_found_icon = forms::Icon::None,
                                     .clip_layer_title = "Layer Not Found"}))
    return;
  ApplyEngineSettings(require(document()->ActiveView(), "ActiveView").get());

  if (!choose_points(*map))
    return;
  std::int32_t count = 0;
  const auto layer = chosen_layer(*map, count);
  if (!layer)
    return;
  if (state.gBatchIsoMode == BatchIsoLinkIsochrones && !CostFieldUsable(*map))
    return;
  const auto points = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  const auto network_reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());
  if (state.gBatchIsoMode != BatchIsoLinkIsochrones &&
      !ClipLayerUsable(map.get(), network_reference.get(), Title))
    return;

  // From here on the run ends with the pointer back and, unless a mode says it wrote nothing,
  // the settings file stamped.
  ClickRun click;
  std::vector<std::string> problems;
  bool done = false;
  try {
    RemoveBatchIsoOutput(map.get());
    BatchIsoRun run{.document = document().get(),
                    .map = map.get(),
                    .points = points.get(),
                    .point_count = count,
                    .label_field = label_field_of_run(),
                    .network_reference = network_reference.get(),
                    .problems = problems,
                    .click = click};
    done = run_mode(run);
  } catch (const ToldHandlerEnd&) {
    return;
  } catch (const HandlerEnd& failure) {
    // The old output is gone: the user must learn why no new one came.
    show_message(failure.what(), Title, forms::Icon::Critical);
    return;
  }
  if (done)
    RemoveBatchIsoTemporaries(map.get());
  ShowProblemList(problems);
}

bool BatchIsoChrone::choose_points(host::HostMap& map) {
  auto& state = shared_state();
  auto& dialog = gFrmBatchIsochroneForm();
  dialog.CmdTab.Clear();
  const int offered = list_point_layers(map, {&dialog.CmdTab});
  if (offered == 0) {
    dialog.Unload();
    show_message("Requires a point layer", "Data Not Found", forms::Icon::Critical);
    return false;
  }
  // The last layer in map order is offered first.
  dialog.CmdTab.SetText(dialog.CmdTab.List(offered - 1));
  state.gBatchIsoDialogState = BatchIsoCancelled;
  dialog.Show(forms::ShowMode::Modal);
  return state.gBatchIsoDialogState != BatchIsoCancelled;
}

com::ComPtr<host::HostFeatureLayer> BatchIsoChrone::chosen_layer(host::HostMap& map,
                                                                 std::int32_t& count) {
  const auto& state = shared_state();
  const auto index = FindAnyLayerIndex(&map, state.gBatchIsoLayerName, "PT");
  if (index == NoLayer) {
    show_message("Point layer \"" + state.gBatchIsoLayerName + "\" not found", "Layer Not Found",
                 forms::Icon::Critical);
    return nullptr;
  }
  const auto layer = require_as<host::HostFeatureLayer>(map.Layer(index), "point layer");
  const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  for (const auto& dataset : {state.gNetworkLayerName, features->AliasName()}) {
    if (!IsBatchIsoOutputName(dataset))
      continue;
    show_message("The layer " + dataset +
                     " is named like an output of this command, which every run deletes. "
                     "Rename the layer's files and try again.",
                 Title, forms::Icon::Critical);
    return nullptr;
  }
  if (const auto field = label_field_of_run(); !field.empty() && features->FindField(field) < 0) {
    show_message("The layer " + state.gBatchIsoLayerName + " has no field " + field + ".",
                 "FIELD NOT FOUND", forms::Icon::Exclamation);
    return nullptr;
  }
  check_call(features->FeatureCount(nullptr, &count), "FeatureClass.FeatureCount");
  if (count > MaxPoints) {
    show_message("The layer " + state.gBatchIsoLayerName + " holds " + std::to_string(count) +
                     " points; one run takes at most " + std::to_string(MaxPoints) + ".",
                 Title, forms::Icon::Exclamation);
    return nullptr;
  }
  return layer;
}

} // namespace corvane
