#pragma once

// File-system steps shared by the ways this layer replaces files.

#include <filesystem>

namespace files::detail {

// Makes a rename in the folder of `file` durable. A folder that cannot be synced still has the
// new name.
void sync_folder(const std::filesystem::path& file);

} // namespace files::detail
