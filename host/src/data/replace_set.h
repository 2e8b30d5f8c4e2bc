#pragma once

// The last steps of every rewrite of a set (a deletion of records, a merge of lines, another set
// taking its place): the new files, whole under their temporaries, are read back through the
// checks every reader makes before it trusts a file, and only then replace the old ones
// together (files::replace_together).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/replace_file.h"

namespace host {

// The set as its targets name it (each the path given to its files::ReplacingFile).
struct ReadBack {
  std::filesystem::path dbf;
  // The ".shp" and ".shx", for a set with shapes.
  std::optional<std::filesystem::path> shp, shx;
  // How many records the new table and index must each hold, when the rewrite knows it.
  std::optional<std::uint64_t> records;
  // Files of the old set the new one has none of: the record that decides the new set removes
  // them with it.
  std::vector<std::filesystem::path> dropped;
  // Files whose spatial and attribute indexes go before the new set is decided.
  std::vector<std::filesystem::path> stale_indexes_beside;
};

// Reads back and replaces as above. Raises HostError naming the files as the user knows them:
// a temporary by the file it was to replace. Before the new set is decided the old files stay.
void replace_after_read_back(std::vector<std::unique_ptr<files::ReplacingFile>>& written,
                             const ReadBack& set);

// `what` with each temporary of `written` named by the file it was to replace.
std::string as_the_user_knows(std::string what,
                              const std::vector<std::unique_ptr<files::ReplacingFile>>& written);

} // namespace host
