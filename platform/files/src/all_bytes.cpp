#include "files/all_bytes.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "files/replace_file.h"

namespace files {

namespace {

// The error a test stands in for this write (files::testing::write_error), 0 for none.
int stood_in_error(int descriptor) {
  if (!testing::write_error)
    return 0;
  std::error_code ignored;
  return testing::write_error(
      std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(descriptor), ignored));
}

bool write_on(int descriptor, const void* data, std::size_t size, std::optional<std::uint64_t> at) {
  if (const int error = stood_in_error(descriptor)) {
    errno = error;
    return false;
  }
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    errno = 0;
    const ssize_t done = at ? ::pwrite(descriptor, bytes, size, static_cast<off_t>(*at))
                            : ::write(descriptor, bytes, size);
    if (done < 0 && errno == EINTR)
      continue;
    if (done <= 0) {
      if (errno == 0)
        errno = EIO;
      return false;
    }
    bytes += done;
    size -= static_cast<std::size_t>(done);
    if (at)
      *at += static_cast<std::uint64_t>(done);
  }
  return true;
}

} // namespace

bool write_all(int descriptor, const void* data, std::size_t size) {
  return write_on(descriptor, data, size, std::nullopt);
}

bool write_all_at(int descriptor, const void* data, std::size_t size, std::uint64_t at) {
  return write_on(descriptor, data, size, at);
}

long read_all_at(int descriptor, void* into, std::size_t size, std::uint64_t at) {
  auto* bytes = static_cast<char*>(into);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got =
        ::pread(descriptor, bytes + done, size - done, static_cast<off_t>(at + done));
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return -1;
    if (got == 0)
      break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<long>(done);
}

} // namespace files
