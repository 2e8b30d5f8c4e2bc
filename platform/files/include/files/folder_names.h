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
// renamed in the folder changes its modification time, which is read at every call. That time
// comes from a clock that may run a tick behind (milliseconds, or whole seconds on some file
// systems), so a listing is kept only when the folder's time was older than any tick when it was
// listed: a folder that has just changed is listed again at every call until it has stood still.
// A name found here that is acted on is made sure of.
std::shared_ptr<const std::vector<std::string>> folder_names(const std::filesystem::path& folder);

} // namespace files
