#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace files {

// A file that cannot be trusted or written, with a message naming it and what is wrong
// ("/data/roads.dbf: the header counts 900 records, but the file holds 12"). Each layer turns
// it into its own failure at its boundary.
class FileError : public std::runtime_error {
public:
  FileError(const std::filesystem::path& file, const std::string& reason);
};

} // namespace files
