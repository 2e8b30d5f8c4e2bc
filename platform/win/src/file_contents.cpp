#include "file_contents.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

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
  std::error_code error;
  fs::path target = file;
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    target = fs::canonical(target, error);
    if (error)
      return false;
  }
  const bool existed = fs::exists(target, error);
  if (existed && is_read_only(target))
    return false;

  fs::path temporary = target;
  std::string temporary_name = ".";
  temporary_name += target.filename().string();
  temporary_name += ".new-" + std::to_string(::getpid());
  temporary.replace_filename(temporary_name);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, error);
      return false;
    }
  }
  if (existed)
    fs::permissions(temporary, fs::status(target, error).permissions(), error);
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

} // namespace win
