#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace files {

// What the system's error `code` (an errno) means to the user, as a clause: "there is no space
// left on the device". The causes a user can act on are named in words; any other is the
// system's own text.
std::string failure_cause(int code);

// The cause and what to do about it: "there is no space left on the device; free some space,
// then try again".
std::string failure_reason(int code);

// A file that cannot be trusted or written, with a message naming it and what is wrong
// ("/data/roads.dbf: the header counts 900 records, but the file holds 12"). Each layer turns
// it into its own failure at its boundary.
class FileError : public std::runtime_error {
public:
  FileError(const std::filesystem::path& file, const std::string& reason, int code = 0);
  // The system's error (an errno) the failure came from; 0 when it was none.
  int code() const { return code_; }

protected:
  struct Whole {};
  FileError(Whole, const std::string& message) : std::runtime_error(message) {}

private:
  int code_ = 0;
};

// A record of files being replaced together that cannot be followed. It is named as the user
// sees it, and what to do, since it is the record, not the set, that stands in the way:
// "Route.replacing in /data/net cannot be read: names \"roads.shp\", which is not a file of
// its set; remove it, then try again".
class DamagedRecord : public FileError {
public:
  DamagedRecord(const std::filesystem::path& record, const std::string& reason);
};

} // namespace files
