#include "common/cost_band_label.h"

#include "com/numbers.h"
#include "network/state/shared_state.h"

namespace corvane {

std::string ZoneLimitText(float limit) {
  return com::number_text(limit, com::single_digits);
}

std::optional<std::string> CostBandUnit() {
  const auto& state = shared_state();
  if (state.gRouteType == RouteShortest)
    return " " + state.gDistUnits;
  if (state.gRouteType == RouteFastest)
    return std::string(" Minutes");
  return std::nullopt;
}

std::string CostBandLabel(float low, std::string_view dash, float high, std::string_view unit) {
  return ZoneLimitText(low) + std::string(dash) + ZoneLimitText(high) + std::string(unit);
}

} // namespace corvane
