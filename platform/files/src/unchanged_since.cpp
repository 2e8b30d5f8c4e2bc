#include "files/unchanged_since.h"

namespace files {

bool time_moves_with_next_change(const struct stat& status,
                                 std::chrono::system_clock::time_point read_at) {
  const auto time = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(status.st_mtim.tv_sec) +
          std::chrono::nanoseconds(status.st_mtim.tv_nsec)));
  // A kernel's coarse clock moves once a timer tick, 10 ms at the slowest; a time of whole
  // seconds comes from a file system that keeps no finer one.
  const auto tick = status.st_mtim.tv_nsec != 0 ? std::chrono::milliseconds(20)
                                                : std::chrono::milliseconds(2000);
  return read_at - time > tick;
}

bool same_status(const struct stat& before, const struct stat& now) {
  return before.st_dev == now.st_dev && before.st_ino == now.st_ino &&
         before.st_size == now.st_size && before.st_mtim.tv_sec == now.st_mtim.tv_sec &&
         before.st_mtim.tv_nsec == now.st_mtim.tv_nsec;
}

} // namespace files
