#include "routing/batch_route_table.h"

#include <cstdlib>

#include "common/batch_point_reader.h"
#include "common/batch_progress.h"
#include "common/node_search.h"
#include "network/state/shared_state.h"
#include "routing/batch_route_output.h"
#include "routing/batch_route_rows.h"
#include "win/paths.h"

namespace corvane {

namespace {

// Engine field type codes of the output table.
constexpr std::int32_t TextField = 1;
constexpr std::int32_t NumberField = 5;

// A primary cost above this marks a node that no path reaches.
constexpr float Unreached = 1e36f;

std::int32_t feature_count(host::HostFeatureClass& features) {
  std::int32_t count = 0;
  check_call(features.FeatureCount(nullptr, &count), "FeatureClass.FeatureCount");
  return count;
}

std::string not_connected(const BatchPoint& from, const BatchPoint& to) {
  return from.label + " To " + to.label + "(Points are not connected)";
}

// The pair's row with its route: the links of the path from the from-point to the to-point,
// each whole and in the direction it is travelled. False when no path joins them.
bool write_route_row(tamix::NetCalc& calc, const BatchPoint& from, const BatchPoint& to,
                     std::int32_t route_type) {
  const std::int32_t links = calc.GetPathLinkCount(to.node) - 1;
  if (links < 1)
    return false;
  const auto row = row_text(from.label, to.label, pair_costs(calc, to.node, route_type));
  auto& state = shared_state();
  state.gCallResult = calc.WriteOutputRow(links, row);
  // Position `links` leaves the from-point, position 1 arrives at the to-point.
  for (std::int32_t k = links; k >= 1; --k) {
    const std::int32_t link = calc.GetPathLink(k);
    state.gCallResult = link > 0 ? calc.AddOutputLink(link, 0.0, 1.0)
                                 : calc.AddOutputLink(std::abs(link), 1.0, 0.0);
  }
  return true;
}

// The pair's row with its costs only. False when the to-point was not reached.
bool write_cost_row(tamix::NetCalc& calc, const BatchPoint& from, const BatchPoint& to,
                    std::int32_t route_type) {
  const auto costs = pair_costs(calc, to.node, route_type);
  const float primary = route_type == RouteShortest ? costs.distance : costs.time;
  if (primary > Unreached)
    return false;
  shared_state().gCallResult = calc.WriteOutputRow(0, row_text(from.label, to.label, costs));
  return true;
}

} // namespace

BatchOutputTable::BatchOutputTable(tamix::NetCalc& calc)
    : calc_(calc), creation_code_(calc.CreateOutputTable(
                       win::join_path(shared_state().gNetworkFolder, BatchRouteOutput), 5)),
      open_(creation_code_ == 0) {
  if (!open_)
    return;
  auto& state = shared_state();
  for (const auto& field : BatchRouteFields)
    state.gCallResult = calc.AddOutputField(
        std::string(field.name), field.type == host::field_string ? TextField : NumberField,
        field.length, 0);
}

BatchOutputTable::~BatchOutputTable() {
  close();
}

void BatchOutputTable::close() {
  if (!open_)
    return;
  open_ = false;
  shared_state().gCallResult = calc_.CloseOutputTable();
}

BatchRunEnd WriteBatchRouteRows(const BatchRouteRequest& request, tamix::NetBase& base,
                                tamix::NetCalc& calc, std::vector<std::string>& problems) {
  auto& state = shared_state();
  BatchPointReader to_reader(*request.to.features, request.to.label_field, request.to.name,
                             request.network_reference, base, problems);
  BatchPointReader from_reader(*request.from.features, request.from.label_field, request.from.name,
                               request.network_reference, base, problems);
  const std::int32_t from_count = feature_count(*request.from.features);
  const std::int32_t to_count = feature_count(*request.to.features);
  BatchProgress progress("Batch Route", from_count);
  if (!base.HasNodeIndex() && !NodeSearchSucceeded(state.gCallResult = base.CreateNodeIndex()))
    return BatchRunEnd::Failed;

  std::vector<BatchPoint> to_points;
  to_points.reserve(static_cast<std::size_t>(to_count) + 1);
  for (std::int32_t j = 0; j < to_count; ++j)
    if (auto point = to_reader.read(j))
      to_points.push_back(std::move(*point));

  const auto write_row = request.build_objects ? write_route_row : write_cost_row;
  for (std::int32_t i = 0; i < from_count; ++i) {
    const auto from = from_reader.read(i);
    if (!from)
      continue;
    state.gCallResult = calc.SolveFromNode(from->node, 0);
    if (!progress.from_point(i))
      return BatchRunEnd::Cancelled;
    for (const auto& to : to_points) {
      if (!progress.carry_on())
        return BatchRunEnd::Cancelled;
      if (from->node == to.node)
        continue;
      // One row per unordered pair of the layer, from its point with the smaller id.
      if (request.same_layer && !request.both_ways && i >= to.id)
        continue;
      if (!write_row(calc, *from, to, request.route_type))
        problems.push_back(not_connected(*from, to));
    }
  }
  return BatchRunEnd::Completed;
}

} // namespace corvane
