#pragma once

// Full disks for the tests of the tools that write: one stood in through the file layer's test
// seam (every write of the file layer and of the host's shapefiles counted, and from a given one
// on each fails with ENOSPC, as on a disk that stays full, the clean-up's own writes among
// them), and a real one, a small tmpfs mounted over a test's folder and filled to a few
// kilobytes.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/replace_file.h"

namespace corvane::testing {

// While it stands, the writes are counted and each from write `from` on (counted from 0) fails
// with ENOSPC; a negative `from` counts only.
class FullDiskFrom {
public:
  explicit FullDiskFrom(long from) {
    files::testing::write_error = [this, from](const std::filesystem::path&) {
      const long write = writes_++;
      return from >= 0 && write >= from ? ENOSPC : 0;
    };
  }
  ~FullDiskFrom() { files::testing::write_error = nullptr; }
  FullDiskFrom(const FullDiskFrom&) = delete;
  FullDiskFrom& operator=(const FullDiskFrom&) = delete;

  long writes() const { return writes_; }

private:
  long writes_ = 0;
};

// How many writes `action` makes.
inline long WritesOf(const std::function<void()>& action) {
  const FullDiskFrom counting(-1);
  action();
  return counting.writes();
}

// Whether `messages` tell a full disk as the first failure's reason, and nothing else: exactly
// one of them, naming the device's lack of space, with no call's code in any.
inline ::testing::AssertionResult ToldNoSpace(const std::vector<std::string>& messages) {
  const auto said = [&] {
    std::string all;
    for (const auto& text : messages)
      all += "\n  " + text;
    return all;
  };
  if (messages.size() != 1)
    return ::testing::AssertionFailure() << messages.size() << " messages:" << said();
  if (messages[0].find("there is no space left on the device") == std::string::npos ||
      messages[0].find(" failed (") != std::string::npos)
    return ::testing::AssertionFailure() << "not the reason:" << said();
  return ::testing::AssertionSuccess();
}

// The names in `folder` that a run that failed must not leave: a scratch set ("~"), a
// temporary or a record of a replacement, or one of `scratch_sets` (a set of the engine's that
// passes zones to their output).
inline std::vector<std::string> LeftBehind(const std::filesystem::path& folder,
                                           const std::vector<std::string>& scratch_sets = {}) {
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const auto name = entry.path().filename().string();
    const auto extension = entry.path().extension().string();
    bool scratch =
        name.find('~') != std::string::npos || extension == ".tmp" || extension == ".replacing";
    for (const auto& set : scratch_sets)
      scratch |= entry.path().stem() == set;
    if (scratch)
      left.push_back(name);
  }
  return left;
}

// A tmpfs of `megabytes` mounted over `folder` while it stands (the folder's files are hidden
// meanwhile). mounted() is false, with why(), where the test may not mount one (not root, or
// no tmpfs to be had): the test is then skipped with that line.
class SmallDisk {
public:
  SmallDisk(const std::filesystem::path& folder, int megabytes) : folder_(folder) {
    if (::geteuid() != 0) {
      why_ = "a real full disk needs a small file system mounted, which only root may do";
      return;
    }
    const auto size = "size=" + std::to_string(megabytes) + "m";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0) {
      why_ = std::string("a small tmpfs cannot be mounted here: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_)
      ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }

  // Fills the disk to `kilobytes` free with a file of the test's own; false when it cannot.
  bool leave_free(std::uintmax_t kilobytes) {
    const auto filler = folder_ / "filler.bin";
    std::filesystem::remove(filler);
    const auto available = std::filesystem::space(folder_).available;
    if (available < kilobytes * 1024)
      return false;
    // Allocated, not a sparse file: a tmpfs counts only the pages a file holds.
    const int descriptor = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0)
      return false;
    const bool filled = ::posix_fallocate(descriptor, 0, off_t(available - kilobytes * 1024)) == 0;
    ::close(descriptor);
    return filled;
  }
  // Space back.
  void empty_filler() { std::filesystem::remove(folder_ / "filler.bin"); }

private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_;
};

} // namespace corvane::testing
