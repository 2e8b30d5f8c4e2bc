#include "files/file_error.h"

namespace files {

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason) {}

} // namespace files
