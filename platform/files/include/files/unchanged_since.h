#pragma once

// What a file's status says about whether it changed since it was read. Used to keep what was
// read of a file or a folder in memory and trust it while the status stands.

#include <sys/stat.h>

#include <chrono>

namespace files {

// Whether a change made to the file or folder whose status is `status` after the moment
// `read_at` is sure to change its modification time. The time comes from a clock that may run a
// tick behind (milliseconds, or whole seconds on some file systems), so a change made within
// that tick after the last one can leave the time as it was: only a time older than any tick at
// `read_at` is sure to move with the next change.
bool time_moves_with_next_change(const struct stat& status,
                                 std::chrono::system_clock::time_point read_at);

// Whether `now` is the status `before` was, by file, size and modification time.
bool same_status(const struct stat& before, const struct stat& now);

} // namespace files
