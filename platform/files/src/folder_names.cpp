#include "files/folder_names.h"

#include <sys/stat.h>

#include <chrono>
#include <map>
#include <mutex>
#include <system_error>

namespace files {

namespace fs = std::filesystem;

namespace {

using Names = std::shared_ptr<const std::vector<std::string>>;

struct Kept {
  timespec time;
  Names names;
};

// A few folders at once: a path's folders are looked at in turn when its letter case is found.
constexpr std::size_t folders_kept = 16;

Names list(const fs::path& folder) {
  auto names = std::make_shared<std::vector<std::string>>();
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    names->push_back(it->path().filename().string());
  return names;
}

std::chrono::system_clock::time_point as_time_point(const timespec& time) {
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec)));
}

} // namespace

Names folder_names(const fs::path& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0)
    return list(folder);
  static std::mutex mutex;
  static std::map<fs::path, Kept> kept;
  const std::scoped_lock lock(mutex);
  const auto found = kept.find(folder);
  if (found != kept.end() && found->second.time.tv_sec == status.st_mtim.tv_sec &&
      found->second.time.tv_nsec == status.st_mtim.tv_nsec)
    return found->second.names;
  const auto listed_at = std::chrono::system_clock::now();
  Names names = list(folder);
  // The folder's time comes from a clock that may run a tick behind (a few milliseconds; whole
  // seconds on some file systems): a change made within that tick after the listing, by this
  // process or another, can leave the time as it was. A listing is kept only when the folder's
  // time is older than any tick, so that every later change gives the folder a new time.
  const auto tick = status.st_mtim.tv_nsec != 0 ? std::chrono::milliseconds(100)
                                                : std::chrono::milliseconds(2000);
  if (listed_at - as_time_point(status.st_mtim) > tick) {
    if (kept.size() >= folders_kept)
      kept.clear();
    kept[folder] = Kept{status.st_mtim, names};
  } else {
    kept.erase(folder);
  }
  return names;
}

} // namespace files
