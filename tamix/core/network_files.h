#pragma once

// The network folder's files. Every file starts with a header (magic, format version, counts);
// a load checks magic, version and the exact file size before it trusts a count, then reads the
// arrays in bulk.
//
//   "link.bin"      link ends (from, to node) per link, slot 0 included
//   "dist.bin"      link length in metres per link
//   "coord.bin"     node coordinates, then every link's shape points
//   "node.bin"      the adjacency (first_out, head, signed arc link)
//   "attribute.bin" road class per link (optional)

#include "network.h"
#include "progress.h"
#include "tamix/network_file_names.h"

#include <filesystem>
#include <string>

namespace tamix {

// Writes the four network files (not "attribute.bin").
void write_network_files(const std::filesystem::path& folder, const Network& network);

// Loads the network files and "attribute.bin" when present (else every link gets class 1).
// Raises load_failed when a network file is missing or unreadable, wrong_version when a file has
// another format, version or size, or the files disagree on the counts, out_of_memory.
Network load_network(const std::filesystem::path& folder, const Progress& progress = {});

// "attribute.bin": one road class per link (slot 0 included).
void write_attribute_file(const std::filesystem::path& folder,
                          const std::vector<std::uint8_t>& link_class);
std::vector<std::uint8_t> read_attribute_file(const std::filesystem::path& folder);

// The number of links (records) of the network whose "link.bin" is in `folder`, read from the
// file's header alone.
LinkId read_link_count(const std::filesystem::path& folder);

} // namespace tamix
