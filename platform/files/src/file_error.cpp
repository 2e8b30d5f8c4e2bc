#include "files/file_error.h"

#include <cerrno>
#include <cstring>

namespace files {

std::string failure_reason(int code) {
  switch (code) {
  case ENOSPC:
  case EDQUOT:
    return "no space is left on the device; free some space, then try again";
  case EFBIG:
    return "the file would grow beyond what the device or the system allows; free some space or "
           "work on a copy of the network on another device, then try again";
  case EROFS:
    return "the folder is read-only; make it writable or work on a copy of the network in a "
           "folder you can write, then try again";
  case EACCES:
  case EPERM:
    return "permission is denied; make the folder and its files writable or work on a copy of "
           "the network in a folder you can write, then try again";
  case EBUSY:
  case ETXTBSY:
  case EWOULDBLOCK:
    return "it is in use by another process; wait for it to finish or close it there, then try "
           "again";
  default:
    return std::strerror(code);
  }
}

FileError::FileError(const std::filesystem::path& file, const std::string& reason, int code)
    : std::runtime_error(file.string() + ": " + reason), code_(code) {}

DamagedRecord::DamagedRecord(const std::filesystem::path& record, const std::string& reason)
    : FileError(Whole{}, record.filename().string() + " in " + record.parent_path().string() +
                             " cannot be read: " + reason + "; remove it, then try again") {}

} // namespace files
