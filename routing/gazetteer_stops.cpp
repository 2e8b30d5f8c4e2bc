#include "routing/gazetteer_stops.h"

#include "common/engine_error_text.h"
#include "common/node_search.h"
#include "common/order_tour.h"
#include "common/point_at.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "host/geometry.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/gazetteer_labels.h"

namespace corvane {

namespace {

void label(const LabelPlace& place, const StopPoint& at, const std::string& text) {
  AddStopLabel(place.map, point_at(at.X, at.Y, place.reference).get(), text);
}

const std::string& label_text(std::int32_t row) {
  return shared_state().gGazetteerLabels[row].Text;
}

// The optimised mode labels each stop where the user's list placed it, with its text.
class GazetteerMarks final : public TourMarks {
public:
  GazetteerMarks(const LabelPlace& place, GazetteerStops& stops) : place_(place), stops_(stops) {}

  std::int32_t node_of(std::int32_t row) const override { return stops_[row].GazzNodNum; }

  void mark_in_chosen_order(std::int32_t row, std::int32_t last) override {
    label(place_, shared_state().gGazetteerStopPoints[row],
          ShortTourStopLabel(label_text(row), row, last, shared_state().gGazetteerStopCount));
  }

  void tour_failed(float result) override {
    if (result == SeparateSubnetResult)
      show_message("One or more nodes found in the subnet. Could not calculate the route.", "Error",
                   forms::Icon::None);
    else
      show_message(EngineErrorText(static_cast<std::int32_t>(result)), "Error",
                   forms::Icon::Critical);
  }

  void tour_solved() override { place_.view->Refresh(); }

  void position_read(tamix::NetCalc& calc, std::int32_t position) override {
    stops_[position].GazzNewPos = calc.GetTourOrder(position + 1);
  }

  // The start keeps its one-line label, also where a round trip ends on it.
  void mark_at_position(std::int32_t row, std::int32_t position, std::int32_t last) override {
    label(place_, shared_state().gGazetteerStopPoints[row],
          TourStopLabel(stops_[row].GazzFldVal, position, last, shared_state().gTspMode));
    place_.view->Refresh();
  }

private:
  const LabelPlace& place_;
  GazetteerStops& stops_;
};

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
  GazetteerMarks marks(place, stops);
  return OrderTour(calc, shared_state().gRouteStopCount, marks);
}

} // namespace corvane
