#include "routing/gazetteer_stops.h"

#include "common/engine_error_text.h"
#include "common/handler_end.h"
#include "common/node_search.h"
#include "common/point_at.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "host/geometry.h"
#include "network/shared_state.h"
#include "routing/gazetteer_labels.h"

namespace corvane {

namespace {

constexpr float SeparateSubnet = -38.0F;

void label(const LabelPlace& place, const StopPoint& at, const std::string& text) {
  AddStopLabel(place.map, point_at(at.X, at.Y, place.reference).get(), text);
}

const std::string& label_text(std::int32_t row) {
  return shared_state().gGazetteerLabels[row].Text;
}

} // namespace

bool PlaceGazetteerStops(tamix::NetBase& base, tamix::NetCalc& calc, const LabelPlace& place,
                         GazetteerStops& stops) {
  auto& state = shared_state();
  const std::int32_t n = state.gGazetteerStopCount;
  for (std::int32_t k = 1; k <= n; ++k) {
    const auto& chosen = state.gGazetteerStops[k];
    const auto snapped = SnapToNetworkNode(base, chosen.X, chosen.Y, state.gEngineResult);
    if (!snapped)
      return false;
    const std::int32_t node = *snapped;
    const StopPoint placed{base.GetNodeX(node), base.GetNodeY(node), node};
    const std::int32_t r = state.gRouteStopCount;
    const std::string& text = label_text(k - 1);
    state.gGazetteerStopPoints[r] = placed;
    state.gStopNodes[r] = node;
    stops[r] = {.GazzOldPos = k, .GazzNewPos = 0, .GazzFldVal = text, .GazzNodNum = node};
    state.gEngineResult = calc.SetStop(k, node);
    if (k < n)
      state.gRouteStopCount = r + 1;

    if (state.gGazetteerMode == 0) {
      state.gGazetteerMarkerNames[k] = RouteStopLabel(text, k, n);
      label(place, placed, state.gGazetteerMarkerNames[k]);
    } else if (state.gGazetteerMode == 1) {
      if (k == 1) {
        state.gGazetteerMarkerNames[1] = text;
        label(place, placed, text);
      } else if (k == n && IsStartEndTour(state.gTspMode)) {
        state.gGazetteerMarkerNames[n] = TourEndName(text);
      }
    }
    place.view->Refresh();
  }
  return true;
}

bool OrderGazetteerTour(tamix::NetCalc& calc, const LabelPlace& place, GazetteerStops& stops) {
  auto& state = shared_state();
  auto& last = state.gRouteStopCount;
  const std::int32_t start_node = state.gGazetteerStopPoints[0].Node;
  if (last <= 2) {
    for (std::int32_t m = 1; m <= last; ++m)
      label(place, state.gGazetteerStopPoints[m],
            ShortTourStopLabel(label_text(m), m, last, state.gGazetteerStopCount));
    if (IsRoundTrip(state.gTspMode) && last > 1) {
      ++last;
      state.gEngineResult = calc.SetStop(last + 1, start_node);
      state.gStopNodes[last] = start_node;
    }
    return true;
  }

  const float result = calc.SolveTsp(last + 1, static_cast<std::int16_t>(state.gTspMode));
  if (result == SeparateSubnet) {
    show_message("One or more nodes found in the subnet. Could not calculate the route.", "Error",
                 forms::Icon::None);
    return false;
  }
  // Any other failure leaves no tour to read: its nodes would be error codes.
  if (result < 0) {
    show_message(EngineErrorText(static_cast<std::int32_t>(result)), "Error",
                 forms::Icon::Critical);
    return false;
  }
  place.view->Refresh();
  for (std::int32_t i = 0; i <= last; ++i) {
    state.gStopNodes[i] = calc.GetTourNode(i + 1);
    stops[i].GazzNewPos = calc.GetTourOrder(i + 1);
  }
  if (IsRoundTrip(state.gTspMode)) {
    ++last;
    state.gStopNodes[last] = calc.GetTourNode(1);
  }
  // The start keeps its one-line label, also where a round trip ends on it.
  for (std::int32_t m = 1; m <= last; ++m)
    for (std::int32_t j = 1; j < state.gGazetteerStopCount; ++j) {
      if (stops[j].GazzNodNum != state.gStopNodes[m])
        continue;
      label(place, state.gGazetteerStopPoints[j],
            TourStopLabel(stops[j].GazzFldVal, m, last, state.gTspMode));
      place.view->Refresh();
    }
  return true;
}

} // namespace corvane
