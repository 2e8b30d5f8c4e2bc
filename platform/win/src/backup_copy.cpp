#include "win/backup_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "file_contents.h"
#include "files/all_bytes.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "win/paths.h"
#include "win/profile.h"

namespace win {

namespace {

namespace fs = std::filesystem;

// Enough for a copy kept at every rebuild of many years; beyond it the user is asked to clear
// the old ones.
constexpr int max_copies = 9999;

// "<file>" + `suffix` is a name KeepBackupCopy gives: ".bak", or ".N.bak" for N from 1 to
// max_copies written as it writes it.
bool copy_suffix(std::string_view suffix) {
  if (suffix == ".bak")
    return true;
  if (!suffix.starts_with('.') || !suffix.ends_with(".bak"))
    return false;
  const auto digits = suffix.substr(1, suffix.size() - 5);
  if (digits.empty() || digits.front() == '0')
    return false;
  int number = 0;
  for (const char digit : digits) {
    if (digit < '0' || digit > '9' || number > max_copies)
      return false;
    number = number * 10 + (digit - '0');
  }
  return number <= max_copies;
}

bool plain_file(const fs::path& name) {
  std::error_code error;
  return fs::is_regular_file(fs::symlink_status(name, error));
}

// The plain files beside `file` named as its copies are, followed by `tail`.
std::vector<fs::path> copy_names(std::string_view file, std::string_view tail) {
  const fs::path path = resolve_path(file);
  const auto folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  const auto name = path.filename().string();
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const auto entry_file = entry->path().filename().string();
    const std::string_view entry_name = entry_file;
    if (entry_name.size() > name.size() + tail.size() && entry_name.starts_with(name) &&
        entry_name.ends_with(tail) &&
        copy_suffix(
            entry_name.substr(name.size(), entry_name.size() - name.size() - tail.size())) &&
        plain_file(entry->path()))
      found.push_back(entry->path());
  }
  return found;
}

bool name_taken(const fs::path& name) {
  struct stat ignored {};
  return ::lstat(name.c_str(), &ignored) == 0 || errno != ENOENT;
}

// Writes `contents` to a new temporary beside `copy` and links it to that name. 0 when done;
// EEXIST when the name was taken meanwhile; else the error code of the failing call, with
// nothing left behind.
int write_copy(const fs::path& copy, std::string_view contents) {
  const fs::path temporary = copy.string() + ".tmp";
  if (files::testing::before_step) {
    try {
      files::testing::before_step(files::testing::Step::create_temporary, copy);
    } catch (...) {
      return errno != 0 ? errno : EIO;
    }
  }
  const int descriptor =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (descriptor < 0)
    return errno;
  int error = 0;
  if (!files::write_all(descriptor, contents.data(), contents.size()) || ::fsync(descriptor) != 0)
    error = errno;
  if (::close(descriptor) != 0 && error == 0)
    error = errno;
  if (error == 0 && files::testing::before_step) {
    try {
      files::testing::before_step(files::testing::Step::rename, copy);
    } catch (...) {
      error = errno != 0 ? errno : EIO;
    }
  }
  // A link, unlike a rename, never takes the place of a file that came under that name since.
  if (error == 0 && ::link(temporary.c_str(), copy.c_str()) != 0)
    error = errno;
  ::unlink(temporary.c_str());
  if (error == 0) {
    const int folder = ::open(copy.parent_path().empty() ? "." : copy.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
  }
  return error;
}

} // namespace

BackupCopy KeepBackupCopy(std::string_view file, const std::vector<std::string>& earlier) {
  const fs::path path = resolve_path(file);
  const auto contents = read_file_contents(path);
  if (!contents)
    return {{}, std::string(file) + " cannot be read"};
  for (const auto& copy : earlier) {
    if (!copy.starts_with(file) || !copy_suffix(std::string_view(copy).substr(file.size())))
      continue;
    const fs::path copy_path = resolve_path(copy);
    if (plain_file(copy_path) && read_file_contents(copy_path) == contents)
      return {copy, std::nullopt, true};
  }
  for (int number = 0; number <= max_copies; ++number) {
    const std::string suffix = number == 0 ? ".bak" : "." + std::to_string(number) + ".bak";
    const fs::path copy = path.string() + suffix;
    if (name_taken(copy) || name_taken(copy.string() + ".tmp"))
      continue;
    errno = 0;
    const int error = write_copy(copy, *contents);
    if (error == 0)
      return {std::string(file) + suffix, std::nullopt};
    if (error != EEXIST)
      return {std::string(file) + suffix, WriteFailureReason(std::string(file) + suffix, error)};
  }
  return {{},
          "every name from " + std::string(file) + ".bak to " + std::string(file) + "." +
              std::to_string(max_copies) + ".bak is taken; delete the copies no longer needed"};
}

void RemoveStaleCopyTemporaries(std::string_view file) {
  std::error_code ignored;
  for (const auto& temporary : copy_names(file, ".tmp"))
    fs::remove(temporary, ignored);
}

std::vector<std::string> BackupCopiesOf(std::string_view file) {
  std::vector<std::string> copies;
  const auto name = resolve_path(file).filename().string();
  for (const auto& copy : copy_names(file, ""))
    copies.push_back(std::string(file) + copy.filename().string().substr(name.size()));
  return copies;
}

std::string WriteFailureReason(std::string_view file, int error) {
  // A settings write that refused by its own rule left no call's error to tell.
  if (auto refusal = ProfileWriteRefusal(file); !refusal.empty())
    return refusal;
  const fs::path path = resolve_path(file);
  std::error_code ignored;
  if (fs::exists(path, ignored) && is_read_only(path))
    return "it is read-only";
  // The file itself may be written, so a refusal is its folder's.
  if (error == EACCES || error == EPERM)
    return "its folder cannot be written";
  return files::failure_cause(error);
}

} // namespace win
