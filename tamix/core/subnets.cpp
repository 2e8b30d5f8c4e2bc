#include "link_parts.h"
#include "network_checks.h"

namespace tamix {

CheckResult find_subnets(const Network& network) {
  const LinkParts parts = find_link_parts(network);
  const std::uint32_t main_part = parts.largest();
  // Parts are numbered by their lowest links already: the subnets keep that order, closing
  // the gap the main part leaves.
  CheckResult subnets;
  subnets.of_link.assign(network.link_count() + 1, 0);
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    const std::uint32_t part = parts.of_link[link];
    if (part != 0 && part != main_part)
      subnets.of_link[link] = std::int32_t(part < main_part ? part : part - 1);
  }
  subnets.count = main_part == 0 ? 0 : std::int32_t(parts.count() - 1);
  return subnets;
}

} // namespace tamix
