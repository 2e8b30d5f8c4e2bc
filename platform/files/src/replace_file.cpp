#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "file_system.h"
#include "files/all_bytes.h"
#include "files/file_error.h"

namespace files {

namespace fs = std::filesystem;

fs::path replaced_file(const fs::path& target) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(target, error)))
    return target;
  const fs::path real = fs::canonical(target, error);
  return error ? target : real;
}

namespace detail {

void sync_folder(const fs::path& file) {
  if (testing::before_step)
    testing::before_step(testing::Step::sync, file);
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0)
    return;
  ::fsync(descriptor);
  ::close(descriptor);
}

} // namespace detail

fs::path temporary_path(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

void remove_stale_temporary(const fs::path& target) noexcept {
  std::error_code ignored;
  fs::remove(temporary_path(replaced_file(target)), ignored);
}

ReplacingFile::ReplacingFile(fs::path target)
    : target_(replaced_file(target)), temporary_(temporary_path(target_)) {
  if (testing::before_step)
    testing::before_step(testing::Step::create_temporary, target_);
  descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor_ < 0)
    fail("cannot be created");
}

ReplacingFile::~ReplacingFile() {
  if (!released_)
    discard();
}

void ReplacingFile::discard() noexcept {
  if (descriptor_ >= 0)
    ::close(descriptor_);
  descriptor_ = -1;
  std::error_code ignored;
  fs::remove(temporary_, ignored);
}

// The user knows the file, not its temporary.
void ReplacingFile::fail(const char* what) const {
  const int code = errno;
  throw FileError(target_, std::string("its new copy ") + what + ": " + failure_reason(code), code);
}

void ReplacingFile::write_at(std::uint64_t offset, const void* data, std::size_t size) const {
  if (!write_all_at(descriptor_, data, size, offset))
    fail("cannot be written");
}

void ReplacingFile::seal(Durability durability) {
  if (descriptor_ < 0)
    return;
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0 && ::fchmod(descriptor_, old.st_mode & 07777) != 0)
    fail("cannot take the permissions of the file it replaces");
  if (durability == Durability::synced) {
    if (testing::before_step)
      testing::before_step(testing::Step::sync, target_);
    if (::fsync(descriptor_) != 0)
      fail("cannot be synced to disk");
  }
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0)
    fail("cannot be closed");
}

void ReplacingFile::commit(Durability durability) {
  try {
    seal(durability);
    if (testing::before_step)
      testing::before_step(testing::Step::rename, target_);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
      fail("cannot take its place");
  } catch (...) {
    discard();
    throw;
  }
  released_ = true;
  if (durability == Durability::synced)
    detail::sync_folder(target_);
}

void replace_contents(const fs::path& target, std::string_view contents) {
  ReplacingFile replacing(target);
  replacing.write_at(0, contents.data(), contents.size());
  replacing.commit();
}

} // namespace files
