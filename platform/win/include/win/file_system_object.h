#pragma once

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The scripting runtime's file-system object, as far as the add-in uses it: file tests,
// modification dates, deletion and text files. Paths may be native or Windows paths (see
// win/paths.h) and are found without regard to letter case.
namespace win {

// A file as GetFile found it.
class File {
public:
  explicit File(std::chrono::sys_seconds last_modified) : last_modified_(last_modified) {}

  // The modification time when GetFile was asked, in whole seconds (cut, not rounded), so
  // that "modified more than one minute later" compares as the platform does.
  std::chrono::sys_seconds DateLastModified() const { return last_modified_; }

private:
  std::chrono::sys_seconds last_modified_;
};

// A text file being written: single-byte text, every line ended by CR LF.
class TextStream {
public:
  explicit TextStream(std::ofstream out) : out_(std::move(out)) {}

  void WriteLine(std::string_view text);
  // Ends the writing; false when any write failed (a full disk, ...), so that a caller
  // never reports a file as written when it is not.
  bool Close();

private:
  std::ofstream out_;
};

class FileSystemObject {
public:
  // True for an existing file; false for a folder or nothing.
  bool FileExists(std::string_view path) const;
  // nullopt when there is no such file.
  std::optional<File> GetFile(std::string_view path) const;
  // Deletes the file; a read-only file only with `force`. False when there was no such file
  // or it could not be deleted.
  bool DeleteFile(std::string_view path, bool force = false) const;
  // Creates the file empty, or with `overwrite` empties an existing one; nullopt when the
  // file exists and `overwrite` is false, or when it cannot be created.
  std::optional<TextStream> CreateTextFile(std::string_view path, bool overwrite) const;
  // Copies `source` whole over `destination` through a temporary renamed over it, so that a
  // failure or a kill leaves an older `destination` whole. Why it could not be done (naming the
  // file), or nothing when it was.
  std::optional<std::string> CopyFile(std::string_view source, std::string_view destination) const;
  // Writes `contents` over `path` in place, with no temporary and no sync: for a file the
  // system writes only for itself to read at once, never a user's. Why it could not be written
  // whole (naming the file and the reason: "there is no space left on the device; ..."), or
  // nothing when it was; a part may then be left.
  std::optional<std::string> WriteScratchFile(std::string_view path,
                                              std::string_view contents) const;
};

} // namespace win
