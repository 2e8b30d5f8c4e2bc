#include "common/zone_breaks.h"

#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"

namespace corvane {

void SendZoneBreaks(tamix::NetCalc& calc) {
  auto& state = shared_state();
  state.gEngineResult = calc.ClearBreaks();
  for (const float limit : ZoneLimits())
    state.gEngineResult = calc.AddBreak(limit);
}

} // namespace corvane
