#pragma once

// Writing a file so that a failure or a kill at any moment leaves either the old file or the
// new one under its name, never half of one: the new contents go to a temporary file in the
// same folder, which is synced to disk and then renamed over the old file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace files {

// The file a replacement of `target` writes: the file a symbolic link `target` names (through
// every link), so that the link stays a link; `target` itself otherwise. Every step of one
// replacement, the read-back of its temporary included, works on this one path.
std::filesystem::path replaced_file(const std::filesystem::path& target);

// "<target>.tmp", in the target's folder so that the rename stays on one file system.
std::filesystem::path temporary_path(const std::filesystem::path& target);

// Deletes the temporary a killed run left beside `target`. Quiet when there is none or it
// cannot be deleted.
void remove_stale_temporary(const std::filesystem::path& target) noexcept;

// How a replacement reaches the disk. `synced`: each new file and the folder are synced before
// the next step, so that a power loss, too, leaves the old files or the new ones. `scratch`: for
// files that their writer's caller reads at once and then removes, which the user never keeps:
// the steps and their order are the same, so a kill still leaves the old files or the new ones,
// but nothing waits for the disk.
enum class Durability { synced, scratch };

class ReplacingFile {
public:
  // Creates the temporary of replaced_file(`target`), emptying a stale one. Raises FileError,
  // naming the file replaced (not its temporary) and the reason.
  explicit ReplacingFile(std::filesystem::path target);
  // Deletes the temporary unless it was renamed or released.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  const std::filesystem::path& target() const { return target_; }
  // Writes `size` bytes at `offset` of the temporary. Raises FileError.
  void write_at(std::uint64_t offset, const void* data, std::size_t size) const;
  // Gives the temporary the permissions of the file it replaces, syncs it to disk (when
  // `durability` is synced) and closes it: it is whole and waits for its rename. Raises FileError.
  void seal(Durability durability = Durability::synced);
  // Seals the temporary, renames it over the target and syncs the folder (when `durability` is
  // synced). Raises FileError, and then the target is untouched and the temporary gone.
  void commit(Durability durability = Durability::synced);
  // Leaves the sealed temporary on disk when this object goes: someone else renames it.
  void release() { released_ = true; }

private:
  [[noreturn]] void fail(const char* what) const;
  void discard() noexcept;

  std::filesystem::path target_; // a symbolic link's own target: the link stays
  std::filesystem::path temporary_;
  int descriptor_ = -1;
  bool released_ = false; // renamed, or handed to someone who renames it
};

// Replaces the whole of `target` with `contents` through its temporary. Raises FileError, and
// then the target is untouched.
void replace_contents(const std::filesystem::path& target, std::string_view contents);

namespace testing {
// The steps of a replacement at which a test stands in a failure (by throwing) or a kill (by
// ending the process): creating the temporary of a target, renaming a temporary over its
// target, forgetting the record of a set replaced together, and syncing a file (the target
// whose temporary it is) or a folder (the file whose rename it makes durable). Empty outside
// tests.
enum class Step { create_temporary, rename, remove, forget_record, sync };
inline std::function<void(Step, const std::filesystem::path& target)> before_step;
// Stands a failing write in for a real one, as a full disk fails it: called before every write
// of the file layer (files::write_all, write_all_at, and so every replacement) and of the
// host's shapefiles, with the file written, it returns the errno the write then fails with, or
// 0 to let it run. Empty outside tests.
inline std::function<int(const std::filesystem::path& file)> write_error;
} // namespace testing

} // namespace files
