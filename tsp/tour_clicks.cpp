#include "tsp/tour_clicks.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/description_field_check.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/marker_graphic.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "common/write_route_shapefile.h"
#include "dialogs/routing/rut.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/route_legs.h"
#include "routing/route_output.h"
#include "tsp/tour_order.h"

namespace corvane {

namespace {

constexpr std::string_view MarkedLinks = "CV_RESULT > 0";

void place_stop(const SnappedClick& stop, std::int32_t row) {
  auto& state = shared_state();
  state.gTourStops[row] = {.X = stop.x, .Y = stop.y, .Node = stop.node};
  state.gStopNodes[row] = stop.node;
}

} // namespace

std::optional<SnappedClick> TourClicks::snap(host::HostDocument* document, long x, long y) {
  const auto map = focus_map(document);
  if (!CheckNetworkReady(map.get()))
    return std::nullopt;
  const auto snapped = SnapClickToNetwork(document, map.get(), x, y);
  drop_missing_description_field(map.get(), "FIELD NOT FOUND");
  return snapped;
}

void TourClicks::remove_stop_markers(host::HostDocument* document) {
  const auto& state = shared_state();
  const auto map = focus_map(document);
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());
  const std::int32_t last = std::min(state.gMultiStopCount, placed_stops_ - 1);
  for (std::int32_t k = 1; k <= last; ++k) {
    const auto& at = state.gTourStops[k];
    RemoveMarkerGraphic(map.get(), point_at(at.X, at.Y, reference.get()).get());
  }
}

void TourClicks::start(host::HostDocument* document, const SnappedClick& stop) {
  auto& state = shared_state();
  const auto map = focus_map(document);
  const auto view = active_view(document);
  DeleteStopLabels(map.get(), StopNumbers::Plain, state.gRouteStopCount, state.gMultiStopCount);
  remove_stop_markers(document);
  state.gStopNodes.clear();
  state.gMultiStopCount = 0;
  placed_stops_ = 0;

  const auto workspace = OpenNetworkWorkspace();
  RemoveOutputShapefile(map.get(), view.get(), RouteOutput);
  // A "ViewRoute" on the map keeps what it shows: the new tour is drawn over it.
  view_route_shown_ = FindLayerIndex(map.get(), ViewRouteOutput, "L") != NoLayer;
  if (!view_route_shown_)
    PrepareViewRoute(workspace.get(), NetworkFeatureClass(map.get()).get());
  SetResultTableAndField();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  state.gEngineResult = calc.ClearResultField(-1, 0);

  AddStopLabel(map.get(), stop.node_point.get(), "Start");
  view->Refresh();
  place_stop(stop, 0);
  state.gEngineResult = calc.SetStop(1, stop.node);
  state.gMultiStopCount = 1;
  placed_stops_ = 1;
  started_ = true;
}

bool TourClicks::refuse_stop(const SnappedClick& stop, std::int32_t count) {
  const auto& state = shared_state();
  // Result clearing empties the stops of an open tour: there is no start to go on from.
  if (!started_ || state.gMultiStopCount == 0) {
    show_message("Specify start point", "Simple Click", forms::Icon::Exclamation);
    return true;
  }
  for (std::int32_t k = 0; k < state.gMultiStopCount; ++k)
    if (state.gStopNodes[k] == stop.node) {
      show_message("Same location selected", "Same Location", forms::Icon::Exclamation);
      return true;
    }
  const std::int32_t most = MostTourStops(state.gTspMode);
  if (count > most) {
    show_message("A tour takes at most " + std::to_string(most) + " stops", "Too many stops",
                 forms::Icon::Exclamation);
    return true;
  }
  return false;
}

void TourClicks::add_stop(host::HostDocument* document, const SnappedClick& stop) {
  auto& state = shared_state();
  // One more stop must still fit: the end that a Shift+click adds.
  if (refuse_stop(stop, state.gMultiStopCount + 2))
    return;
  const auto map = focus_map(document);
  AddMarkerGraphic(map.get(), stop.node_point.get(), MarkerStar);
  active_view(document)->Refresh();
  place_stop(stop, state.gMultiStopCount);
  ++state.gMultiStopCount;
  placed_stops_ = state.gMultiStopCount;
  state.gEngineResult =
      require(state.gNetCalc, "NetCalc")->SetStop(state.gMultiStopCount, stop.node);
}

void TourClicks::finish(host::HostApplication* application, host::HostDocument* document,
                        const SnappedClick& stop) {
  auto& state = shared_state();
  if (refuse_stop(stop, state.gMultiStopCount + 1))
    return;
  const auto map = focus_map(document);
  const auto view = active_view(document);
  const auto network = NetworkFeatureClass(map.get());
  const bool with_directions = state.gUseDescField == 1;
  auto& base = *require(state.gNetBase, "NetBase");
  auto& calc = *require(state.gNetCalc, "NetCalc");
  RouteResult result;
  result.view_route_shown = view_route_shown_;
  result.minute_word = "Minutes";
  std::optional<RouteDirections> directions;
  {
    started_ = false;
    const WaitWindow wait;
    if (IsStartEndTour(state.gTspMode))
      AddStopLabel(map.get(), stop.node_point.get(), "End");
    else
      AddMarkerGraphic(map.get(), stop.node_point.get(), MarkerStar);
    view->Refresh();
    place_stop(stop, state.gMultiStopCount);
    placed_stops_ = state.gMultiStopCount + 1;
    state.gEngineResult = calc.SetStop(state.gMultiStopCount + 1, stop.node);

    ApplyCostSettings();
    result.route =
        CreateRouteShapefile(OpenNetworkWorkspace().get(), network.get(), with_directions);
    const auto reference = GetLayerSpatialReference(network.get());
    if (!OrderTourStops(calc, {map.get(), view.get(), reference.get()}))
      return;
    if (with_directions)
      directions.emplace(base, calc, *network, state.gDescFieldName,
                         DirectionStyle{.turns = TurnTable::Tour, .stage_text = {}});
    const auto totals =
        SolveRouteLegs(calc, state.gMultiStopCount, directions ? &*directions : nullptr);
    if (!totals)
      return;
    result.primary_total = totals->primary;
    result.secondary_total = totals->secondary;
  }
  FinishRouteOutput(result, directions ? &*directions : nullptr, network.get(), MarkedLinks,
                    map.get(), view.get(), application);
}

} // namespace corvane
