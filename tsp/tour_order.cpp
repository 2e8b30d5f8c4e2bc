#include "tsp/tour_order.h"

#include <string>

#include "common/elements_at_point.h"
#include "common/engine_error_text.h"
#include "common/point_at.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "network/shared_state.h"

namespace corvane {

namespace {

constexpr float SeparateSubnet = -38.0F;

com::ComPtr<host::HostPoint> stop_point(const LabelPlace& place, std::int32_t row) {
  const auto& stop = shared_state().gTourStops[row];
  return point_at(stop.X, stop.Y, place.reference);
}

void label_stop(const LabelPlace& place, std::int32_t row, const std::string& text) {
  AddStopLabel(place.map, stop_point(place, row).get(), text);
  place.view->Refresh();
}

// The stars of the stops after the start that are numbered now: all of them, but the end of a
// start-end tour, which is labelled "End" instead of starred.
void remove_stars(const LabelPlace& place, std::int32_t last_stop) {
  const std::int32_t starred = IsStartEndTour(shared_state().gTspMode) ? last_stop - 1 : last_stop;
  for (std::int32_t k = 1; k <= starred; ++k)
    RemoveMarkerGraphic(place.map, stop_point(place, k).get());
  place.view->Refresh();
}

void keep_click_order(tamix::NetCalc& calc, const LabelPlace& place) {
  auto& state = shared_state();
  auto& n = state.gMultiStopCount;
  for (std::int32_t k = 1; k <= n; ++k) {
    RemoveMarkerGraphic(place.map, stop_point(place, k).get());
    label_stop(place, k, k == n ? "End" : std::to_string(k));
  }
  // Kept as the tool always did: two stops make no round trip, only the way there.
  if (IsRoundTrip(state.gTspMode) && n > 1) {
    ++n;
    state.gEngineResult = calc.SetStop(n + 1, state.gTourStops[0].Node);
    state.gStopNodes[n] = state.gTourStops[0].Node;
  }
}

// The clicked stop after the start at `node`, or 0.
std::int32_t clicked_stop_at(std::int32_t node, std::int32_t clicked) {
  for (std::int32_t k = 1; k <= clicked; ++k)
    if (shared_state().gTourStops[k].Node == node)
      return k;
  return 0;
}

bool follow_engine_tour(tamix::NetCalc& calc, const LabelPlace& place) {
  auto& state = shared_state();
  const std::int32_t mode = state.gTspMode;
  const std::int32_t clicked = state.gMultiStopCount;
  const float result = calc.SolveTsp(clicked + 1, static_cast<std::int16_t>(mode));
  if (result < 0) {
    remove_stars(place, clicked);
    DeleteStartEndLabels(place.map);
    place.view->Refresh();
    const auto code = static_cast<std::int32_t>(result);
    show_message(EngineErrorText(code), "TSP",
                 result == SeparateSubnet ? forms::Icon::Exclamation : forms::Icon::Critical);
    return false;
  }
  remove_stars(place, clicked);
  for (std::int32_t p = 0; p <= clicked; ++p)
    state.gStopNodes[p] = calc.GetTourNode(p + 1);
  auto& n = state.gMultiStopCount;
  if (IsRoundTrip(mode)) {
    ++n;
    state.gStopNodes[n] = calc.GetTourNode(1);
  }
  // The start keeps "Start"; the return of a round trip (the start again) gets no number, and
  // the end of a start-end tour has its "End" since it was clicked.
  for (std::int32_t p = 1; p <= n; ++p) {
    if (p == n && IsStartEndTour(mode))
      continue;
    const std::int32_t k = clicked_stop_at(state.gStopNodes[p], clicked);
    if (k == 0)
      continue;
    label_stop(place, k, p == n && IsStartOnlyTour(mode) ? "End" : std::to_string(p + 1));
  }
  return true;
}

} // namespace

bool OrderTourStops(tamix::NetCalc& calc, const LabelPlace& place) {
  if (shared_state().gMultiStopCount <= 2) {
    keep_click_order(calc, place);
    return true;
  }
  return follow_engine_tour(calc, place);
}

} // namespace corvane
