#pragma once

// The connected parts of a network: sets of links joined through shared nodes.

#include "network.h"

#include <cstdint>
#include <vector>

namespace tamix {

struct LinkParts {
  // The part of each link (link_count + 1 entries): 1..count() in the order of the parts'
  // lowest link numbers; 0 for a record without a shape.
  std::vector<std::uint32_t> of_link;
  // Per part (count() + 1 entries, slot 0 unused): its number of links and its lowest link.
  std::vector<std::uint32_t> links;
  std::vector<LinkId> lowest_link;

  std::uint32_t count() const { return std::uint32_t(links.size() - 1); }
  // The part with most links, the lower number on a tie; 0 when there are no links.
  std::uint32_t largest() const;
};

LinkParts find_link_parts(const Network& network);

} // namespace tamix
