#include "boundary.h"
#include "net_calc_object.h"
#include "result_field.h"

#include <cmath>

namespace tamix {
namespace {

constexpr std::int32_t all_rows = -1;

} // namespace

std::int32_t NetCalcObject::WriteCostsToResult(std::int32_t which, std::int32_t, std::int32_t) {
  return engine_call<std::int32_t>([&] {
    if (which != all_rows)
      throw Error(code::out_of_bounds, "only all rows (-1) can be written");
    network();
    // The costs the last solve ran with, not the settings of now; a multi-centre solve has
    // already found them.
    if (!reach_of_last_solve_) {
      reach_of_links(solved(), costs_, nullptr, solve_cutoff_, reach_);
      reach_of_last_solve_ = true;
    }
    std::vector<double> by_row(reach_.size() - 1, 0.0);
    for (std::size_t link = 1; link < reach_.size(); ++link)
      if (reach_[link].cost < inf_cost)
        by_row[link - 1] = reach_[link].cost;
    result_field().write_rows(by_row);
    return code::ok;
  });
}

std::vector<NodeId> NetCalcObject::solve_centres(std::int32_t count, float cutoff) {
  std::vector<NodeId> centres = stop_nodes(count);
  const ArcCosts& arc_costs = costs();
  forget_route();
  solve_cutoff_ = cutoff > 0 ? Cost(cutoff) : inf_cost;
  solve_from_centres(search(), arc_costs, centres, solve_cutoff_, owners_);
  solved_ = true;
  last_reached_ = search_->last_settled();
  return centres;
}

std::int32_t NetCalcObject::SolveMultiCentre(std::int16_t count, float cutoff) {
  return engine_call<std::int32_t>([&] {
    solve_centres(count, cutoff);
    has_link_results_ = false;
    reach_of_links(*search_, costs_, &owners_, solve_cutoff_, reach_);
    reach_of_last_solve_ = true;
    link_results_.assign(reach_.size() - 1, 0.0);
    for (std::size_t link = 1; link < reach_.size(); ++link)
      link_results_[link - 1] = reach_[link].centre;
    has_link_results_ = true;
    return code::ok;
  });
}

std::int32_t NetCalcObject::WriteResults() {
  return engine_call<std::int32_t>([&] {
    network();
    if (!has_link_results_)
      throw Error(code::no_results, "no per-link result to write");
    result_field().write_rows(link_results_);
    return code::ok;
  });
}

std::int32_t NetCalcObject::ClearBreaks() {
  breaks_.clear();
  return code::ok;
}

std::int32_t NetCalcObject::AddBreak(double limit) {
  return engine_call<std::int32_t>([&] {
    if (!std::isfinite(limit))
      throw Error(code::out_of_bounds, "a zone limit must be a finite number");
    breaks_.push_back(limit);
    return code::ok;
  });
}

} // namespace tamix
