#include "win/file_system_object.h"

#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_contents.h"
#include "files/all_bytes.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "win/paths.h"

namespace win {

namespace fs = std::filesystem;

void TextStream::WriteLine(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.write("\r\n", 2);
}

bool TextStream::Close() {
  if (!out_.is_open())
    return false;
  out_.close();
  return !out_.fail();
}

bool FileSystemObject::FileExists(std::string_view path) const {
  std::error_code error;
  return fs::is_regular_file(resolve_path(path), error);
}

std::optional<File> FileSystemObject::GetFile(std::string_view path) const {
  const fs::path file = resolve_path(path);
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
    return std::nullopt;
  return File(std::chrono::sys_seconds(std::chrono::seconds(status.st_mtim.tv_sec)));
}

bool FileSystemObject::DeleteFile(std::string_view path, bool force) const {
  const fs::path file = resolve_path(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error))
    return false;
  if (is_read_only(file) && !force)
    return false;
  return fs::remove(file, error);
}

std::optional<TextStream> FileSystemObject::CreateTextFile(std::string_view path,
                                                           bool overwrite) const {
  const fs::path file = resolve_path(path);
  std::error_code error;
  if (fs::exists(file, error) && (!overwrite || is_read_only(file)))
    return std::nullopt;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out)
    return std::nullopt;
  return TextStream(std::move(out));
}

std::optional<std::string> FileSystemObject::CopyFile(std::string_view source,
                                                      std::string_view destination) const {
  const auto contents = read_file_contents(resolve_path(source));
  if (!contents)
    return std::string(source) + " cannot be read";
  try {
    files::replace_contents(resolve_path(destination), *contents);
  } catch (const files::FileError& error) {
    return error.what();
  }
  return std::nullopt;
}

std::optional<std::string> FileSystemObject::WriteScratchFile(std::string_view path,
                                                              std::string_view contents) const {
  const fs::path file = resolve_path(path);
  const auto failed = [&](const char* what) -> std::string {
    return files::FileError(file, std::string(what) + ": " + files::failure_reason(errno)).what();
  };
  const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0)
    return failed("cannot be created");
  if (!files::write_all(descriptor, contents.data(), contents.size())) {
    auto reason = failed("cannot be written");
    ::close(descriptor);
    return reason;
  }
  if (::close(descriptor) != 0)
    return failed("cannot be written");
  return std::nullopt;
}

} // namespace win
