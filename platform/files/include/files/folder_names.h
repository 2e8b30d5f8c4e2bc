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
// renamed in the folder changes its modification time, which is read at every call. A file
// system that keeps whole seconds could hide a second change in the same second, so there a
// listing is kept only once the folder's time is two seconds old. Where the time has a finer
// grain, a listing stands until the time changes: since Linux 6.13 a change after the time was
// read always gets a new one; before, a change by another process within the same clock tick
// as the folder's last one could be seen late, which the system, never writing one folder from
// two processes at once, does not meet. A name found here that is acted on is made sure of.
std::shared_ptr<const std::vector<std::string>> folder_names(const std::filesystem::path& folder);

} // namespace files
