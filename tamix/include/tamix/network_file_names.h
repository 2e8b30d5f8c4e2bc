#pragma once

#include <string_view>

// The files the engine keeps a network in, in the network folder. The engine reads and writes
// them by these names; the add-in names them when it decides whether a network must be built
// again, removes them so that the next opening builds it, and clears their temporaries.

namespace tamix {

// Link ends (from, to node) per link.
inline constexpr std::string_view link_file = "link.bin";
// Link length in metres per link.
inline constexpr std::string_view dist_file = "dist.bin";
// Node coordinates, then every link's shape points.
inline constexpr std::string_view coord_file = "coord.bin";
// The adjacency (first_out, head, signed arc link).
inline constexpr std::string_view node_file = "node.bin";
// Road class per link; optional, without it every link is of class 1.
inline constexpr std::string_view attribute_file = "attribute.bin";

} // namespace tamix
