#pragma once

// File-system steps shared by the ways this layer replaces files.

#include <filesystem>

namespace files::detail {

// What `target` names: a symbolic link's own target, so that replacing it keeps the link.
std::filesystem::path resolved(const std::filesystem::path& target);

// Makes a rename in the folder of `file` durable. A folder that cannot be synced still has the
// new name.
void sync_folder(const std::filesystem::path& file);

} // namespace files::detail
