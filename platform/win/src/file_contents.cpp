#include "file_contents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/all_bytes.h"
#include "files/file_error.h"
#include "files/replace_file.h"

namespace win {

namespace fs = std::filesystem;

std::optional<std::string> read_file_contents(const fs::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0)
    return std::nullopt;
  // Read at the size the file has, then on until its end, in case it grew meanwhile.
  struct stat status {};
  std::string contents(::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)
                           ? static_cast<std::size_t>(status.st_size) + 1
                           : 4096,
                       '\0');
  std::size_t size = 0;
  for (;;) {
    const long read = files::read_all_at(descriptor, contents.data() + size,
                                         contents.size() - size, size);
    if (read < 0) {
      const int cause = errno;
      ::close(descriptor);
      errno = cause;
      return std::nullopt;
    }
    size += static_cast<std::size_t>(read);
    if (size < contents.size())
      break;
    contents.resize(contents.size() * 2);
  }
  ::close(descriptor);
  contents.resize(size);
  return contents;
}

bool is_read_only(const fs::path& file) {
  std::error_code error;
  const auto status = fs::status(file, error);
  return !error && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool replace_file_contents(const fs::path& file, std::string_view contents) {
  // A failure leaves its reason in errno, as the system's own calls do, for the caller to name.
  std::error_code error;
  fs::path target = file;
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    target = fs::canonical(target, error);
    if (error) {
      errno = error.value();
      return false;
    }
  }
  if (fs::exists(target, error) && is_read_only(target)) {
    errno = EACCES;
    return false;
  }
  try {
    files::replace_contents(target, contents);
  } catch (const files::FileError& failure) {
    if (failure.code() != 0) // else errno still holds what the failing call left
      errno = failure.code();
    return false;
  }
  return true;
}

} // namespace win
