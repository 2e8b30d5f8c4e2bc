#include "file_contents.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "files/file_error.h"
#include "files/replace_file.h"

namespace win {

namespace fs = std::filesystem;

std::optional<std::string> read_file_contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
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
