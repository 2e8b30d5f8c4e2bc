#pragma once

// The names a folder holds, listed once and kept while the folder's modification time says no
// name in it has changed since: the checks that run before every open of a set (a replacement a
// killed run left, a file's name in another letter case) then cost a call or two instead of a
// listing each.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace files {

// The names of the entries of `folder` (empty when it cannot be listed). A name made, removed or
// renamed in the folder by any process changes its modification time, which is read at every
// call; the time is kept by a clock that may be a tick coarse, so a listing is kept only once
// the folder's time lies further in the past than a tick could hide.
std::shared_ptr<const std::vector<std::string>> folder_names(const std::filesystem::path& folder);

} // namespace files
