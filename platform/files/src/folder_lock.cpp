#include "files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <thread>

namespace files {

namespace {

struct Held {
  int descriptor = -1;
  int count = 0;
};

std::mutex& mutex() {
  static std::mutex guard;
  return guard;
}

std::map<std::filesystem::path, Held>& held_folders() {
  static std::map<std::filesystem::path, Held> folders;
  return folders;
}

} // namespace

FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience)
    : folder_(folder) {
  const std::scoped_lock lock(mutex());
  auto& folders = held_folders();
  if (const auto found = folders.find(folder_); found != folders.end()) {
    ++found->second.count;
    held_ = counted_ = true;
    return;
  }
  const int descriptor = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    held_ = true;
    return;
  }
  const auto until = std::chrono::steady_clock::now() + patience;
  while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) {
      ::close(descriptor);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  folders[folder_] = Held{descriptor, 1};
  held_ = counted_ = true;
}

FolderLock::~FolderLock() {
  if (!counted_)
    return;
  const std::scoped_lock lock(mutex());
  auto& folders = held_folders();
  const auto found = folders.find(folder_);
  if (found == folders.end() || --found->second.count > 0)
    return;
  ::close(found->second.descriptor); // lets go of the lock
  folders.erase(found);
}

} // namespace files
