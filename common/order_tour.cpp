#include "common/order_tour.h"

#include "common/tour_mode.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

void keep_chosen_order(tamix::NetCalc& calc, std::int32_t& last, TourMarks& marks) {
  auto& state = shared_state();
  for (std::int32_t row = 1; row <= last; ++row)
    marks.mark_in_chosen_order(row, last);
  // Kept as the tools always did: two stops make no round trip, only the way there.
  if (IsRoundTrip(state.gTspMode) && last == 2) {
    ++last;
    const std::int32_t start = marks.node_of(0);
    state.gEngineResult = calc.SetStop(last + 1, start);
    state.gStopNodes[last] = start;
  }
}

bool follow_engine_tour(tamix::NetCalc& calc, std::int32_t& last, TourMarks& marks) {
  auto& state = shared_state();
  const TspMode mode = state.gTspMode;
  const std::int32_t placed = last;
  const float result = calc.SolveTsp(placed + 1, static_cast<std::int16_t>(mode.engine_code()));
  // Any failure leaves no tour to read: its nodes would be error codes.
  if (result < 0) {
    marks.tour_failed(result);
    return false;
  }
  marks.tour_solved();
  for (std::int32_t p = 0; p <= placed; ++p) {
    state.gStopNodes[p] = calc.GetTourNode(p + 1);
    marks.position_read(calc, p);
  }
  if (IsRoundTrip(mode)) {
    ++last;
    state.gStopNodes[last] = calc.GetTourNode(1);
  }
  for (std::int32_t p = 1; p <= last; ++p)
    for (std::int32_t row = 1; row <= placed; ++row)
      if (marks.node_of(row) == state.gStopNodes[p])
        marks.mark_at_position(row, p, last);
  return true;
}

} // namespace

bool OrderTour(tamix::NetCalc& calc, std::int32_t& last, TourMarks& marks) {
  if (last <= 2) {
    keep_chosen_order(calc, last, marks);
    return true;
  }
  return follow_engine_tour(calc, last, marks);
}

} // namespace corvane
