#include "boundary.h"
#include "net_calc_object.h"
#include "straight_line.h"
#include "tsp_costs.h"
#include "tsp.h"

namespace tamix {
namespace {

constexpr std::int16_t straight_line_modes = 10;

} // namespace

std::vector<NodeId> NetCalcObject::stop_nodes(std::int32_t count) {
  const Network& net = network();
  if (count < 1 || count > most_stops)
    throw Error(code::out_of_bounds, std::to_string(count) + " stops are out of range");
  std::vector<NodeId> nodes(count);
  for (std::int32_t k = 1; k <= count; ++k) {
    if (static_cast<std::size_t>(k) >= stops_.size() || !net.has_node(stops_[k]))
      throw Error(code::out_of_bounds, "stop " + std::to_string(k) + " has no node");
    nodes[k - 1] = stops_[k];
  }
  return nodes;
}

std::int32_t NetCalcObject::SetStop(std::int32_t index, std::int32_t node) {
  return engine_call<std::int32_t>([&] {
    if (index < 1 || index > most_stops)
      throw Error(code::out_of_bounds, "stop " + std::to_string(index) + " is out of range");
    if (stops_.size() <= static_cast<std::size_t>(index)) stops_.resize(index + 1, no_node);
    stops_[index] = node < 0 ? no_node : static_cast<NodeId>(node);
    return code::ok;
  });
}

float NetCalcObject::SolveTsp(std::int32_t count, std::int16_t mode) {
  return engine_call<float>([&] {
    const Network& net = network();
    const int base_mode = mode % straight_line_modes;
    if (count < 1 || count > most_stops || mode < 0 || mode > straight_line_modes + 2 ||
        base_mode > 2)
      throw Error(code::out_of_bounds, "no tour of " + std::to_string(count) +
                                           " stops in mode " + std::to_string(mode));
    const std::vector<NodeId> nodes = stop_nodes(count);
    tour_nodes_.clear();
    tour_order_.clear();
    const ArcCosts& arc_costs = costs();

    TspCostFn cost;
    std::vector<Cost> matrix;
    if (mode >= straight_line_modes) {
      // The order comes from the map, the legs still from the network: a stop cut off from
      // stop 1 would give a tour the add-in cannot route.
      if (!all_reached_from(net, arc_costs, nodes[0], nodes))
        throw Error(code::tsp_subnet, "a stop lies in another part of the network");
      cost = [&](std::uint32_t a, std::uint32_t b) {
        return straight_line_metres(net, nodes[a], nodes[b]);
      };
    } else {
      matrix = network_cost_matrix(net, arc_costs, nodes);
      cost = [&](std::uint32_t a, std::uint32_t b) {
        const Cost c = matrix[std::size_t{a} * nodes.size() + b];
        return c >= inf_cost ? std::numeric_limits<double>::infinity() : c;
      };
    }
    const TspTour tour = solve_tsp(static_cast<std::uint32_t>(count),
                                   static_cast<TspMode>(base_mode), cost);
    if (!tour.unreachable.empty())
      throw Error(code::tsp_subnet, "a stop lies in another part of the network");

    std::vector<NodeId> tour_nodes;
    std::vector<std::int32_t> tour_order;
    for (std::uint32_t stop : tour.order) {
      tour_nodes.push_back(nodes[stop]);
      tour_order.push_back(static_cast<std::int32_t>(stop) + 1);
    }
    tour_nodes_ = std::move(tour_nodes);
    tour_order_ = std::move(tour_order);
    return static_cast<float>(tour.cost);
  });
}

std::size_t NetCalcObject::tour_index(std::int32_t position) const {
  if (tour_nodes_.empty()) throw Error(code::no_results, "no tour has been solved");
  if (position < 1 || static_cast<std::size_t>(position) > tour_nodes_.size())
    throw Error(code::route_index_out_of_bounds, "no tour position " + std::to_string(position));
  return static_cast<std::size_t>(position - 1);
}

std::int32_t NetCalcObject::GetTourNode(std::int32_t position) {
  return engine_call<std::int32_t>(
      [&] { return static_cast<std::int32_t>(tour_nodes_[tour_index(position)]); });
}

std::int32_t NetCalcObject::GetTourOrder(std::int32_t position) {
  return engine_call<std::int32_t>([&] { return tour_order_[tour_index(position)]; });
}

} // namespace tamix
