#pragma once

#include <string_view>

// The names of the sets the engine writes into the network folder and of every field it writes.
// The add-in recognises those sets by the same names when it replaces or deletes them, and reads
// and draws the fields by these names; the engine's network files are named beside them, in
// tamix/network_file_names.h.

namespace tamix::output {

inline constexpr std::string_view node_set = "node";
inline constexpr std::string_view close_node_set = "closenodes";

inline constexpr std::string_view node_id_field = "NODE_ID";
// The link ends at a node.
inline constexpr std::string_view links_field = "LINKS";
// 1 when a link joins a close node to one of its close neighbours, else 0.
inline constexpr std::string_view connected_field = "Connected";
// A zone polygon's limit.
inline constexpr std::string_view cost_end_field = "COST_END";
// The number of a nearest-centre zone's centre.
inline constexpr std::string_view centre_id_field = "ID";

} // namespace tamix::output
