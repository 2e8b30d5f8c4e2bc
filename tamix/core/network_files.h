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
#include <optional>
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

// Whether the network files in `folder`, before `built` replaces them, hold the same links: as
// many, each of the same length with its shape starting and ending at the same points, so that
// a link number names the same road in both. Read from "dist.bin" and "coord.bin" as a stream,
// never holding the old network; the adjacency and the link ends ("node.bin", "link.bin") are
// not needed. Nothing when those two files are missing or cannot be read (of another version,
// damaged); `unreadable` then names the first of them that could not be read.
std::optional<bool> same_links_as_files(const std::filesystem::path& folder, const Network& built,
                                        std::string* unreadable = nullptr);

// The number of links (records) of the network whose "link.bin" is in `folder`, read from the
// file's header alone.
LinkId read_link_count(const std::filesystem::path& folder);

} // namespace tamix
