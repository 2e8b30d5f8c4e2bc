#include "network/state/zone_limits.h"

#include <cstddef>
#include <cstdint>

#include "network/state/shared_state.h"

namespace corvane {

std::vector<float> ZoneLimits() {
  const auto& state = shared_state();
  std::vector<float> limits;
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    limits.push_back(state.gZoneValues[zone]);
  return limits;
}

void StoreZoneList(const std::vector<float>& limits) {
  auto& state = shared_state();
  state.gZoneCount = static_cast<std::int32_t>(limits.size());
  state.gZoneValues.reallocate(state.gZoneCount);
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    state.gZoneValues[zone] = limits[static_cast<std::size_t>(zone - 1)];
}

} // namespace corvane
