#include "routing/route_click.h"

#include <string>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/layer_lookup.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/stop_label_sweep.h"
#include "common/write_route_shapefile.h"
#include "dialogs/routing/rut.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/route_legs.h"
#include "routing/route_output.h"

namespace corvane {

std::optional<SnappedClick> RouteClicks::snap(host::HostDocument* document, long x, long y) {
  const auto map = focus_map(document);
  if (!CheckNetworkReady(map.get(), {.description_field_title = "Field not found"}))
    return std::nullopt;
  SetResultTableAndField();
  return SnapClickToNetwork(document, map.get(), x, y);
}

bool RouteClicks::refuse_stop(const SnappedClick& stop) {
  const auto& state = shared_state();
  // Without a stored stop (result clearing emptied the list) there is nothing to go on from.
  if (!started_ || state.gRouteStopCount == 0) {
    show_message("Specify start point", "Simple Click", forms::Icon::Exclamation);
    return true;
  }
  if (stop.node == state.gStopNodes[state.gRouteStopCount - 1]) {
    show_message("Same location selected", "Same Node", forms::Icon::Exclamation);
    return true;
  }
  if (state.gRouteStopCount > state.gStopNodes.upper()) {
    show_message("A route takes at most " + std::to_string(state.gStopNodes.upper() + 1) + " stops",
                 "Too many stops", forms::Icon::Exclamation);
    return true;
  }
  return false;
}

void RouteClicks::start(host::HostDocument* document, const SnappedClick& stop) {
  auto& state = shared_state();
  const auto map = focus_map(document);
  const auto view = active_view(document);
  SendClosedLinks();
  DeleteStopLabels(map.get(), StopNumbers::Plain, state.gRouteStopCount, state.gMultiStopCount);
  state.gStopNodes.clear();
  state.gRouteStopCount = 0;
  const auto workspace = OpenNetworkWorkspace();
  RemoveOutputShapefile(map.get(), view.get(), RouteOutput);
  view_route_shown_ = FindLayerIndex(map.get(), ViewRouteOutput, "L") != NoLayer;
  PrepareViewRoute(workspace.get(), NetworkFeatureClass(map.get()).get());
  state.gStopNodes[state.gRouteStopCount++] = stop.node;
  AddStopLabel(map.get(), stop.node_point.get(), "Start");
  started_ = true;
  view->Refresh();
}

void RouteClicks::add_stop(host::HostDocument* document, const SnappedClick& stop) {
  if (refuse_stop(stop))
    return;
  auto& state = shared_state();
  state.gStopNodes[state.gRouteStopCount++] = stop.node;
  AddStopLabel(focus_map(document).get(), stop.node_point.get(),
               std::to_string(state.gRouteStopCount));
  active_view(document)->Refresh();
}

void RouteClicks::finish(host::HostApplication* application, host::HostDocument* document,
                         const SnappedClick& stop) {
  if (!started_) {
    show_message("Specify start point", "Simple Click", forms::Icon::Exclamation);
    return;
  }
  auto& state = shared_state();
  if (state.gRouteStopCount == 0) {
    show_message("Atleast two points required to calculate the route", "Invalid entry",
                 forms::Icon::None);
    return;
  }
  if (refuse_stop(stop))
    return;
  const auto map = focus_map(document);
  const auto view = active_view(document);
  const auto network = NetworkFeatureClass(map.get());
  const bool with_directions = state.gUseDescField == 1;
  RouteResult result;
  result.view_route_shown = view_route_shown_;
  std::optional<RouteDirections> directions;
  {
    started_ = false;
    const WaitWindow wait;
    state.gStopNodes[state.gRouteStopCount] = stop.node;
    result.end_stop = stop.node_point;
    ClearResultAndApplyCostSettings();
    result.route =
        CreateRouteShapefile(OpenNetworkWorkspace().get(), network.get(), with_directions);
    auto& calc = *require(state.gNetCalc, "NetCalc");
    if (with_directions)
      directions.emplace(*require(state.gNetBase, "NetBase"), calc, *network, state.gDescFieldName);
    const auto totals =
        SolveRouteLegs(calc, state.gRouteStopCount, directions ? &*directions : nullptr);
    if (!totals)
      return;
    result.primary_total = totals->primary;
    result.secondary_total = totals->secondary;
  }
  FinishRouteOutput(result, directions ? &*directions : nullptr, network.get(), "CV_RESULT > 0 ",
                    map.get(), view.get(), application);
}

} // namespace corvane
