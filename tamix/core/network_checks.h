#pragma once

// The network checks: one value per link over the network's links and nodes alone. What each
// value means is the calculation object's contract (FindDeadEnds, FindParallelLinks,
// FindSubnets and FindUnusedLinks in tamix/net_calc.h); these are its algorithms:
//   dead ends       blocks (2-connected sets of links) by an iterative Hopcroft-Tarjan search,
//                   classified along the tree of blocks from each part's largest block;
//   parallel links  link ends grouped per node, each pair of nodes seen once;
//   subnets         connected parts by breadth-first search;
//   unused links    per link, a search between its ends bounded by its length;
//   joinable links  walks through pseudo-nodes from every chain end, then around rings.
// Every traversal keeps its own stack or queue, so a chain of any length is fine. Each runs in
// time linear in the network, except the unused links: one short search per link.

#include "network.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tamix {

// Entry l belongs to link l; entry 0 is unused and 0.
using LinkValues = std::vector<std::int32_t>;

namespace dead_end {
inline constexpr std::int32_t main_net = 0;
inline constexpr std::int32_t cul_de_sac = 1;
inline constexpr std::int32_t loop = 2;
inline constexpr std::int32_t bridge = 3;
inline constexpr std::int32_t minor_net = 4;
} // namespace dead_end

namespace unused_link {
inline constexpr std::int32_t used = 0;
inline constexpr std::int32_t unused = 1;
inline constexpr std::int32_t loop = 2;
} // namespace unused_link

// Values and how many links (unused links), groups (parallel links) or subnets there are.
struct CheckResult {
  LinkValues of_link;
  std::int32_t count = 0;
};

LinkValues find_dead_ends(const Network& network);
CheckResult find_parallel_links(const Network& network);
CheckResult find_subnets(const Network& network);
CheckResult find_unused_links(const Network& network);

// Chains of two or more links that meet only each other at their inner nodes, numbered 1..K
// by their lowest links (the contract of NetCalc::FindJoinableLinks). `join_texts` is empty or
// holds one text per link (slot 0 unused): links join only where their texts are equal.
CheckResult find_joinable_links(const Network& network, double limit_metres,
                                const std::vector<std::string>& join_texts);
// The join column file: line k of read_link_lines is the text of link k (slot 0 unused), with
// its errors.
std::vector<std::string> read_join_texts(const std::filesystem::path& file, LinkId link_count);

} // namespace tamix
