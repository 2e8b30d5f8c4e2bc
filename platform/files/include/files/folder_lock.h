#pragma once

// One program at a time writing in a folder: an advisory lock on the folder itself (flock), so
// that two programs working in one network folder never write the same set or its scratch sets
// at once. The lock is this process's while any FolderLock of the folder stands, so that a
// step taken inside another holds it already; the system releases it when the process ends,
// however it ends.

#include <chrono>
#include <filesystem>

namespace files {

class FolderLock {
public:
  // Takes the lock of `folder`, waiting at most `patience` for another program to let go of it.
  // held() tells whether it was taken; a folder that cannot be opened is not locked and counts
  // as held (nothing can be written there to race over).
  FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool held() const { return held_; }

private:
  std::filesystem::path folder_;
  bool held_ = false;
  bool counted_ = false;
};

} // namespace files
