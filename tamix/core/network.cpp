#include "network.h"

#include "error.h"

#include <atomic>
#include <string>

namespace tamix {

std::uint64_t next_network_identity() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

void check_node(const Network& network, NodeId node) {
  if (!network.has_node(node))
    throw Error(code::out_of_bounds, "the network has no node " + std::to_string(node));
}

void check_link(const Network& network, LinkId link) {
  if (!network.has_link(link))
    throw Error(code::out_of_bounds, "the network has no link " + std::to_string(link));
}

} // namespace tamix
