#include "common/send_stops.h"

#include "network/state/shared_state.h"

namespace corvane {

std::int32_t SendStops(tamix::NetCalc& calc, const std::vector<std::int32_t>& nodes) {
  auto& state = shared_state();
  std::int32_t stop = 0;
  for (const auto node : nodes)
    state.gEngineResult = calc.SetStop(++stop, node);
  return stop;
}

} // namespace corvane
