#include "tsp/tour_order.h"

#include <string>

#include "common/elements_at_point.h"
#include "common/engine_error_text.h"
#include "common/order_tour.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "network/state/shared_state.h"
#include "tsp/tour_stop_marks.h"

namespace corvane {

namespace {

class ClickedStopMarks final : public TourMarks {
public:
  explicit ClickedStopMarks(const LabelPlace& place) : place_(place) {}

  std::int32_t node_of(std::int32_t row) const override {
    return shared_state().gTourStops[row].Node;
  }

  void mark_in_chosen_order(std::int32_t row, std::int32_t last) override {
    RemoveMarkerGraphic(place_.map, TourStopPoint(place_, row).get());
    LabelTourStop(place_, row, row == last ? "End" : std::to_string(row));
  }

  void tour_failed(float result) override {
    remove_stars();
    DeleteStartEndLabels(place_.map);
    place_.view->Refresh();
    show_message(EngineErrorText(static_cast<std::int32_t>(result)), "TSP",
                 result == SeparateSubnetResult ? forms::Icon::Exclamation : forms::Icon::Critical);
  }

  void tour_solved() override { remove_stars(); }

  // The start keeps "Start"; the return of a round trip (the start again) gets no number, and
  // the end of a start-end tour has its "End" since it was clicked.
  void mark_at_position(std::int32_t row, std::int32_t position, std::int32_t last) override {
    const TspMode mode = shared_state().gTspMode;
    if (position == last && IsStartEndTour(mode))
      return;
    LabelTourStop(place_, row,
                  position == last && IsStartOnlyTour(mode) ? "End" : std::to_string(position + 1));
  }

private:
  // The stars of the stops after the start that are numbered now: all of them, but the end of a
  // start-end tour, which is labelled "End" instead of starred.
  void remove_stars() {
    const auto& state = shared_state();
    const std::int32_t clicked = state.gMultiStopCount;
    RemoveTourStopMarkers(place_, IsStartEndTour(state.gTspMode) ? clicked - 1 : clicked);
    place_.view->Refresh();
  }

  const LabelPlace& place_;
};

} // namespace

bool OrderTourStops(tamix::NetCalc& calc, const LabelPlace& place) {
  ClickedStopMarks marks(place);
  return OrderTour(calc, shared_state().gMultiStopCount, marks);
}

} // namespace corvane
