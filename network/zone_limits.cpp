#include "network/zone_limits.h"

#include <cstdint>

#include "network/shared_state.h"

namespace corvane {

std::vector<float> ZoneLimits() {
  const auto& state = shared_state();
  std::vector<float> limits;
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    limits.push_back(state.gZoneValues[zone]);
  return limits;
}

} // namespace corvane
