#include "net_calc_object.h"

#include "boundary.h"

#include <cfloat>

namespace tamix {
namespace {

// The Single the add-in reads: an unreached cost becomes FLT_MAX (above 1e36).
float single(Cost cost) { return cost >= inf_cost ? FLT_MAX : static_cast<float>(cost); }

} // namespace

NetCalcObject::NetCalcObject() = default;
NetCalcObject::~NetCalcObject() = default;

std::int32_t NetCalcObject::SetNet(std::int32_t identifier) {
  return engine_call<std::int32_t>([&] {
    auto state = find_network(identifier);
    if (!state)
      throw Error(code::out_of_bounds, "no network object " + std::to_string(identifier));
    state_ = std::move(state);
    network_.reset();
    search_.reset();
    forget_results();
    return code::ok;
  });
}

const Network& NetCalcObject::network() {
  if (!state_) throw Error(code::not_loaded, "not bound to a network object");
  const std::shared_ptr<const Network>& current = state_->network;
  if (!current) throw Error(code::not_loaded, "no network is loaded");
  if (current != network_) {
    network_ = current;
    search_ = std::make_unique<Search>(*network_);
    forget_results();
  }
  return *network_;
}

const ArcCosts& NetCalcObject::costs() {
  compute_arc_costs(network(), state_->settings, weights_, costs_);
  return costs_;
}

Search& NetCalcObject::search() {
  network();
  return *search_;
}

void NetCalcObject::forget_route() {
  solved_ = false;
  reach_of_last_solve_ = false;
  last_reached_ = no_node;
  path_.reset();
}

void NetCalcObject::forget_results() {
  forget_route();
  tour_nodes_.clear();
  tour_order_.clear();
  link_results_.clear();
  has_link_results_ = false;
}

const Search& NetCalcObject::solved() const {
  if (!solved_) throw Error(code::route_not_ready, "nothing has been solved yet");
  return *search_;
}

const Path& NetCalcObject::primed_path() const {
  solved();
  if (!path_) throw Error(code::route_not_ready, "no path has been chosen");
  return *path_;
}

NodeId NetCalcObject::node_of(std::int32_t node) { return checked_node(network(), node); }

void NetCalcObject::SetPrimaryDistanceWeight(double weight) { pending_primary_distance_ = weight; }
void NetCalcObject::SetPrimaryTimeWeight(double weight) { pending_primary_time_ = weight; }

std::int32_t NetCalcObject::ApplyWeights() {
  weights_.primary_distance = pending_primary_distance_;
  weights_.primary_time = pending_primary_time_;
  return code::ok;
}

void NetCalcObject::SetSecondaryDistanceWeight(double weight) {
  weights_.secondary_distance = weight;
}
void NetCalcObject::SetSecondaryTimeWeight(double weight) { weights_.secondary_time = weight; }

float NetCalcObject::SolveRoute(std::int32_t from, std::int32_t to) {
  return engine_call<float>([&] {
    const NodeId origin = node_of(from), target = node_of(to);
    const ArcCosts& arc_costs = costs();
    forget_route(); // a tour solved before stays: the add-in routes its legs next
    const RouteResult route = solve_route(search(), arc_costs, origin, target);
    solved_ = true;
    solve_cutoff_ = inf_cost;
    last_reached_ = route.reached ? target : route.nearest_reached;
    path_ = walk_path(*search_, target);
    if (!route.reached) throw Error(code::not_connected, "the target cannot be reached");
    return single(route.primary);
  });
}

std::int32_t NetCalcObject::GetLastReachedNode() {
  return static_cast<std::int32_t>(last_reached_);
}

std::int32_t NetCalcObject::SolveFromNode(std::int32_t node, float cutoff) {
  return engine_call<std::int32_t>([&] {
    const NodeId origin = node_of(node);
    const ArcCosts& arc_costs = costs();
    forget_route();
    solve_cutoff_ = cutoff > 0 ? Cost(cutoff) : inf_cost;
    solve_from_node(search(), arc_costs, origin, solve_cutoff_);
    solved_ = true;
    last_reached_ = search_->last_settled();
    return code::ok;
  });
}

std::int32_t NetCalcObject::GetPathLinkCount(std::int32_t node) {
  return engine_call<std::int32_t>([&] {
    const NodeId target = node_of(node);
    path_ = walk_path(solved(), target);
    return static_cast<std::int32_t>(path_->nodes.size());
  });
}

std::int32_t NetCalcObject::GetPathLink(std::int32_t k) {
  return engine_call_or(0, [&] {
    network();
    const Path& path = primed_path();
    return k >= 1 && static_cast<std::size_t>(k) <= path.links.size() ? path.links[k - 1] : 0;
  });
}

std::int32_t NetCalcObject::GetPathNode(std::int32_t k) {
  return engine_call<std::int32_t>([&] {
    network();
    const Path& path = primed_path();
    if (k < 1 || static_cast<std::size_t>(k) > path.nodes.size())
      throw Error(code::route_index_out_of_bounds, "no path node " + std::to_string(k));
    return static_cast<std::int32_t>(path.nodes[k - 1]);
  });
}

FarEnd NetCalcObject::far_end(std::int32_t link) {
  network();
  if (link < 1) throw Error(code::out_of_bounds, "no link " + std::to_string(link));
  // The costs the last solve ran with, not the settings of now.
  return far_end_cost(solved(), costs_, static_cast<LinkId>(link));
}

float NetCalcObject::GetLinkLength(std::int32_t link) {
  return engine_call<float>([&] { return single(far_end(link).primary); });
}

float NetCalcObject::GetLinkTime(std::int32_t link) {
  return engine_call<float>([&] { return single(far_end(link).secondary); });
}

float NetCalcObject::GetPrimaryCostAt(std::int32_t node) {
  return engine_call<float>([&] {
    const NodeId at = node_of(node);
    return single(solved().primary(at));
  });
}

float NetCalcObject::GetSecondaryCostAt(std::int32_t node) {
  return engine_call<float>([&] {
    const NodeId at = node_of(node);
    return single(solved().secondary(at));
  });
}

} // namespace tamix
