#pragma once

// The point shapefiles of the network's nodes, written whole under temporary names and renamed
// over older files of the same name together (see replace_output_set). A ".prj" at the base belongs
// to the caller: it is never created, changed or deleted.
//   "<base>.shp" of every node:  "NODE_ID", "LINKS" (the link ends that meet there);
//   "<base>.shp" of close nodes: "NODE_ID", "Connected" (1 or 0, see close_nodes.h).

#include "close_nodes.h"
#include "network.h"

#include <filesystem>
#include <span>

namespace tamix {

// Raise output_file_failed when a file cannot be written; the older files then stay.
void write_node_shapefile(const std::filesystem::path& base, const Network& network);
void write_close_node_shapefile(const std::filesystem::path& base, const Network& network,
                                std::span<const CloseNode> nodes);

} // namespace tamix
