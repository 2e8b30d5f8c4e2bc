#pragma once

// Writing a file so that a failure or a kill at any moment leaves either the old file or the
// new one under its name, never half of one: the new contents go to a temporary file in the
// same folder, which is synced to disk and then renamed over the old file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace files {

// "<target>.tmp", in the target's folder so that the rename stays on one file system.
std::filesystem::path temporary_path(const std::filesystem::path& target);

// Deletes the temporary a killed run left beside `target`. Quiet when there is none or it
// cannot be deleted.
void remove_stale_temporary(const std::filesystem::path& target) noexcept;

class ReplacingFile {
public:
  // Creates the temporary of `target`, emptying a stale one. Raises FileError.
  explicit ReplacingFile(std::filesystem::path target);
  // Deletes the temporary unless it was committed.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  const std::filesystem::path& target() const { return target_; }
  // Writes `size` bytes at `offset` of the temporary. Raises FileError.
  void write_at(std::uint64_t offset, const void* data, std::size_t size) const;
  // Syncs the temporary to disk, gives it the permissions of the file it replaces, renames it
  // over the target and syncs the folder. Raises FileError, and then the target is untouched
  // and the temporary gone.
  void commit();

private:
  [[noreturn]] void fail(const char* what) const;

  std::filesystem::path target_; // a symbolic link's own target: the link stays
  std::filesystem::path temporary_;
  int descriptor_ = -1;
};

namespace testing {
// Called by commit() once the temporary is whole and synced, just before the rename: a test
// stands in a kill at the worst moment by throwing from it. Empty outside tests.
inline std::function<void(const std::filesystem::path& target)> before_rename;
} // namespace testing

} // namespace files
