#include "boundary.h"
#include "net_calc_object.h"
#include "network_checks.h"

namespace tamix {

template <class Find> std::int32_t NetCalcObject::run_check(Find&& find) {
  return engine_call<std::int32_t>([&] {
    // A check that fails leaves no earlier result for WriteResults to write in its place.
    has_link_results_ = false;
    const CheckResult found = find(network());
    // Entry l of the values is link l, row l - 1 of the result.
    link_results_.assign(found.of_link.begin() + 1, found.of_link.end());
    has_link_results_ = true;
    return found.count;
  });
}

std::int32_t NetCalcObject::FindDeadEnds(std::int32_t) {
  return run_check([](const Network& network) { return CheckResult{find_dead_ends(network)}; });
}

std::int32_t NetCalcObject::FindParallelLinks() {
  return run_check(find_parallel_links);
}

std::int32_t NetCalcObject::FindSubnets() {
  return run_check(find_subnets);
}

std::int32_t NetCalcObject::FindUnusedLinks() {
  return run_check(find_unused_links);
}

std::int32_t NetCalcObject::FindJoinableLinks(float limit, const std::string& join_file) {
  return run_check([&](const Network& network) {
    const auto texts = join_file.empty()
                           ? std::vector<std::string>{}
                           : read_join_texts(join_file, network.link_count());
    const double metres = double(limit) * metres_per(state_->settings.distance_unit());
    return find_joinable_links(network, metres, texts);
  });
}

} // namespace tamix
