#include "routing/gazetteer_route.h"

#include <optional>

#include "com/create.h"
#include "common/apply_engine_settings.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/elements_at_point.h"
#include "common/feature_copies.h"
#include "common/layer_lookup.h"
#include "common/layer_source.h"
#include "common/layer_spatial_reference.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/write_route_shapefile.h"
#include "dialogs/routing/frm_gezetted.h"
#include "host/layer.h"
#include "host/progress.h"
#include "host/query_filter.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/gazetteer_labels.h"
#include "routing/route_legs.h"
#include "routing/route_output.h"

namespace corvane {

namespace {

constexpr std::string_view MarkedLinks = "CV_RESULT > 0";

// The progress window of the link copy; gone when the copy ends, however it ends.
class CopyProgress {
public:
  explicit CopyProgress(std::int32_t links) {
    const auto factory = create<host::HostProgressDialogFactory>(host::ProgressDialogFactoryClass);
    bar_ = require(factory->Create(nullptr, 0), "progress dialog");
    dialog_ = require_as<host::HostProgressDialog>(bar_, "progress dialog");
    dialog_->SetTitle("Processing Gazetteer");
    dialog_->SetCancelEnabled(false);
    bar_->SetMinRange(1);
    bar_->SetMaxRange(links);
    bar_->SetStepValue(1);
    bar_->SetMessage("Processing...");
  }
  ~CopyProgress() { dialog_->HideDialog(); }
  CopyProgress(const CopyProgress&) = delete;
  CopyProgress& operator=(const CopyProgress&) = delete;

  void step() { bar_->Step(); }

private:
  com::ComPtr<host::HostStepProgressor> bar_;
  com::ComPtr<host::HostProgressDialog> dialog_;
};

bool is_point_shapefile(host::HostFeatureLayer& layer) {
  if (!is_shapefile(layer.DataSourceType()))
    return false;
  const auto features = layer.FeatureClass();
  return features && features->ShapeType() == host::geometry_point;
}

std::int32_t marked_link_count(host::HostFeatureClass& network) {
  const auto filter = create<host::HostQueryFilter>(host::QueryFilterClass);
  filter->SetWhereClause(std::string(MarkedLinks));
  std::int32_t count = 0;
  check_call(network.FeatureCount(filter.get(), &count), "FeatureCount");
  return count;
}

// Deletes the labels of the last run at the stored stop points (as many rows as this run has
// stops, plus one).
void clear_labels(host::HostMap* map, host::HostSpatialReference* reference) {
  const auto& state = shared_state();
  for (std::int32_t k = 0; k <= state.gGazetteerStopCount; ++k) {
    const auto& at = state.gGazetteerStopPoints[k];
    DeleteElementsAt(map, point_at(at.X, at.Y, reference).get());
  }
}

void hide_first_two_fields(host::HostFeatureLayer* layer) {
  const auto fields =
      require_as<host::HostLayerFields>(com::ComPtr<host::HostFeatureLayer>(layer), "layer fields");
  fields->SetFieldVisible(0, false);
  fields->SetFieldVisible(1, false);
}

} // namespace

bool OfferPointLayers(host::HostMap* map) {
  auto& state = shared_state();
  auto& dialog = gFrmGezettedForm();
  dialog.Combo1.Clear();
  dialog.List1.Clear();
  state.gLayerList.clear();
  std::int32_t offered = 0;
  for (int i = 0; i < map->LayerCount(); ++i) {
    const auto layer = map->Layer(i).as<host::HostFeatureLayer>();
    if (!layer || !is_point_shapefile(*layer))
      continue;
    dialog.Combo1.AddItem(layer->Name());
    state.gLayerList[offered] = {
        .Name = layer->Name(), .Folder = "", .ListIndex = offered, .MapIndex = i};
    ++offered;
    dialog.Combo1.SetText(state.gLayerList[0].Name);
  }
  state.gGazetteerStopCount = 0;
  if (offered > 0)
    return true;
  show_message("Requires a point layer", "Data not found", forms::Icon::Critical);
  return false;
}

void GazetteerRoute::run(host::HostApplication* application, host::HostDocument* document) {
  auto& state = shared_state();
  const auto map = require(document->FocusMap(), "FocusMap");
  if (!CheckNetworkReady(map.get(), {.description_field_title = "FIELD NOT FOUND"}))
    return;

  if (!OfferPointLayers(map.get()))
    return;
  // Closing the dialog by its frame answers nothing: it must not count as the last OK.
  state.gGazetteerHasStops = 0;
  gFrmGezettedForm().Show(forms::ShowMode::Modal);
  if (state.gGazetteerCancelled == 1 || state.gGazetteerHasStops == 0)
    return;
  if (state.gGazetteerStopCount < 2) {
    show_message("Atleast 2 points are required to calculate route", "Insufficient Data",
                 forms::Icon::Information);
    return;
  }

  const bool with_directions = state.gUseDescField == 1;
  BusyPointer busy(with_directions);
  SetResultTableAndField();
  const auto view = require(document->ActiveView(), "ActiveView");
  const auto network = NetworkFeatureClass(map.get());
  const auto reference = GetLayerSpatialReference(network.get());
  clear_labels(map.get(), reference.get());
  state.gStopNodes.clear();
  state.gRouteStopCount = 0;
  const auto workspace = OpenNetworkWorkspace();
  RemoveOutputShapefile(map.get(), view.get(), RouteOutput);
  RouteResult result;
  result.view_route_shown = FindLayerIndex(map.get(), ViewRouteOutput, "L") != NoLayer;
  PrepareViewRoute(workspace.get(), network.get());

  ClearResultAndApplyCostSettings();
  result.route = CreateRouteShapefile(workspace.get(), network.get(), with_directions, 15);
  result.route_layer = LayerOver(result.route);
  hide_first_two_fields(result.route_layer.get());
  result.minute_word = "Minutes";

  auto& base = *require(state.gNetBase, "NetBase");
  auto& calc = *require(state.gNetCalc, "NetCalc");
  const LabelPlace place{map.get(), view.get(), reference.get()};
  if (!PlaceGazetteerStops(base, calc, place, stops_))
    return;
  if (state.gGazetteerMode == 1 && !OrderGazetteerTour(calc, place, stops_))
    return;

  stage_names_.plan(state.gStopNodes, state.gRouteStopCount);
  std::optional<RouteDirections> directions;
  if (with_directions)
    directions.emplace(
        base, calc, *network, state.gDescFieldName,
        DirectionStyle{.turns = TurnTable::Tour,
                       .stage_text = [this](std::int32_t leg) { return stage_text(leg); }});
  const LegRules rules{.skip_equal_stops = false,
                       .abort_text = "Aborting. From and to points are not connected.",
                       .abort_title = "Aborting"};
  const auto totals =
      SolveRouteLegs(calc, state.gRouteStopCount, directions ? &*directions : nullptr, rules);
  if (!totals)
    return;
  result.primary_total = totals->primary;
  result.secondary_total = totals->secondary;

  FillOutputWhole(*result.route, [&](host::HostFeatureClass& route) {
    if (directions) {
      WriteRouteShapefile(&route, state.gDirections, directions->row_count(), directions->shapes(),
                          state.gRouteType);
    } else {
      CopyProgress progress(marked_link_count(*network));
      CopyNetworkLinks(&route, network.get(), MarkedLinks, [&] { progress.step(); });
    }
  });
  ShowRouteLayers(result, map.get(), view.get(), application);
  busy.reset();
  ReportRouteTotals(result, application);
  StampNetworkEdited();
}

std::string GazetteerRoute::stage_text(std::int32_t leg) {
  const auto& state = shared_state();
  return stage_names_.text(stops_, state.gGazetteerStopCount, &GazzPOINT::GazzNodNum,
                           &GazzPOINT::GazzFldVal, leg);
}

} // namespace corvane
