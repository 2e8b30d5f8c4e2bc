#include "files/folder_names.h"

#include <sys/stat.h>

#include <chrono>
#include <map>
#include <mutex>
#include <system_error>

#include "files/unchanged_since.h"

namespace files {

namespace fs = std::filesystem;

namespace {

using Names = std::shared_ptr<const std::vector<std::string>>;

struct Kept {
  struct stat status;
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

} // namespace

Names folder_names(const fs::path& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0)
    return list(folder);
  static std::mutex mutex;
  static std::map<fs::path, Kept> kept;
  const std::scoped_lock lock(mutex);
  const auto found = kept.find(folder);
  if (found != kept.end() && same_status(found->second.status, status))
    return found->second.names;
  const auto listed_at = std::chrono::system_clock::now();
  Names names = list(folder);
  if (time_moves_with_next_change(status, listed_at)) {
    if (kept.size() >= folders_kept)
      kept.clear();
    kept[folder] = Kept{status, names};
  } else {
    kept.erase(folder);
  }
  return names;
}

} // namespace files
