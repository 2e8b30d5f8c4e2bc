#include "files/file_error.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

namespace files {

namespace {

struct Failure {
  std::string_view cause, remedy;
};

// The errors a user can mend, with what to do; nullopt for any other.
std::optional<Failure> known_failure(int code) {
  switch (code) {
  case ENOSPC:
  case EDQUOT:
    return Failure{"there is no space left on the device", "free some space, then try again"};
  case EFBIG:
    return Failure{"the file would grow beyond what the device or the system allows",
                   "free some space or work on a copy of the network on another device, then "
                   "try again"};
  case EROFS:
    return Failure{"the device is read-only", "make it writable or work on a copy of the network "
                                              "in a folder you can write, then try again"};
  case EACCES:
  case EPERM:
    return Failure{"permission is denied", "make the folder and its files writable or work on a "
                                           "copy of the network in a folder you can write, then "
                                           "try again"};
  case EBUSY:
  case ETXTBSY:
  case EWOULDBLOCK:
    return Failure{"it is in use by another process",
                   "wait for it to finish or close it there, then try again"};
  default:
    return std::nullopt;
  }
}

} // namespace

std::string failure_cause(int code) {
  if (const auto known = known_failure(code))
    return std::string(known->cause);
  return std::strerror(code);
}

std::string failure_reason(int code) {
  if (const auto known = known_failure(code))
    return std::string(known->cause) + "; " + std::string(known->remedy);
  return std::strerror(code);
}

FileError::FileError(const std::filesystem::path& file, const std::string& reason, int code)
    : std::runtime_error(file.string() + ": " + reason), code_(code) {}

DamagedRecord::DamagedRecord(const std::filesystem::path& record, const std::string& reason)
    : FileError(Whole{}, record.filename().string() + " in " + record.parent_path().string() +
                             " cannot be read: " + reason + "; remove it, then try again") {}

} // namespace files
