#include "routing/batch_route_rows.h"

#include "com/numbers.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

void append_quoted(std::string& row, std::string_view value) {
  row += '"';
  for (const char c : value) {
    if (c == '"')
      row += '"';
    row += c;
  }
  row += '"';
}

// The engine's single-precision cost as a double, in the general number format.
std::string cost_text(float cost) {
  return com::number_text(static_cast<double>(cost), com::double_digits);
}

} // namespace

PairCosts pair_costs(tamix::NetCalc& calc, std::int32_t node, std::int32_t route_type) {
  const float primary = calc.GetPrimaryCostAt(node);
  const float secondary = calc.GetSecondaryCostAt(node);
  if (route_type == RouteShortest)
    return {.distance = primary, .time = secondary};
  return {.distance = secondary, .time = primary};
}

std::string row_text(std::string_view from_label, std::string_view to_label, PairCosts costs) {
  std::string row;
  row.reserve(from_label.size() + to_label.size() + 64);
  append_quoted(row, from_label);
  row += ',';
  append_quoted(row, to_label);
  row += ',';
  append_quoted(row, cost_text(costs.distance));
  row += ',';
  append_quoted(row, cost_text(costs.time));
  row += ',';
  append_quoted(row, " ");
  return row;
}

} // namespace corvane
