#include "routing/route_legs.h"

#include <cstdint>

#include "common/engine_error_text.h"
#include "common/show_message.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr float NotConnected = -33.0F;

// The leg's cost, or nothing after the message of a failed solve.
std::optional<float> solve_leg(tamix::NetCalc& calc, std::int32_t from, std::int32_t& to,
                               const LegRules& rules) {
  float cost = calc.SolveRoute(from, to);
  if (cost == NotConnected) {
    const std::int32_t reached = calc.GetLastReachedNode();
    cost = calc.SolveRoute(from, reached);
    show_message(rules.partial_text, "Error", forms::Icon::Critical);
    if (cost == NotConnected) {
      show_message(rules.abort_text, rules.abort_title, forms::Icon::Critical);
      return std::nullopt;
    }
    to = reached;
  }
  // Any other failure code is no cost: adding it to the totals would report a wrong route.
  if (cost < 0) {
    show_message(EngineErrorText(static_cast<std::int32_t>(cost)), "Error", forms::Icon::Critical);
    return std::nullopt;
  }
  return cost;
}

} // namespace

std::optional<RouteTotals> SolveRouteLegs(tamix::NetCalc& calc, std::int32_t last_stop,
                                          RouteDirections* directions, const LegRules& rules) {
  auto& state = shared_state();
  RouteTotals totals;
  for (std::int32_t leg = 0; leg < last_stop; ++leg) {
    const std::int32_t from = state.gStopNodes[leg];
    std::int32_t to = state.gStopNodes[leg + 1];
    if (from == to && rules.skip_equal_stops)
      continue;
    const auto cost = solve_leg(calc, from, to, rules);
    if (!cost)
      return std::nullopt;
    state.gStopNodes[leg + 1] = to;
    totals.primary += *cost;
    totals.secondary += calc.GetSecondaryCostAt(to);
    const std::int32_t node_count = calc.GetPathLinkCount(to);
    if (directions)
      directions->add_leg(leg, node_count);
    else
      state.gEngineResult = calc.MarkPathInResult(-1, 0);
  }
  return totals;
}

} // namespace corvane
