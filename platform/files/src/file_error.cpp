#include "files/file_error.h"

namespace files {

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason) {}

DamagedRecord::DamagedRecord(const std::filesystem::path& record, const std::string& reason)
    : FileError(Whole{}, record.filename().string() + " in " + record.parent_path().string() +
                             " cannot be read: " + reason + "; remove it, then try again") {}

} // namespace files
