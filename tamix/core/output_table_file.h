#pragma once

// A file of the output table, written front to back through a buffer of its own: a table of a
// million small records then costs one system call per megabyte, not several per record. The
// headers, whose counts are known only at the end, are put in place with write_at.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace tamix {

class OutputFile {
public:
  // Creates `path` (emptying a file of that name). Raises output_file_failed when it cannot.
  explicit OutputFile(std::filesystem::path path);
  // Closes the file; what is still buffered is written if it can be.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void append(const void* data, std::size_t size);
  // `size` bytes at the end of the file for the caller to fill before the next call.
  char* extend(std::size_t size);
  // Overwrites bytes already in the file (after writing what is buffered).
  void write_at(std::uint64_t offset, const void* data, std::size_t size);
  std::uint64_t size() const { return written_ + used_; }
  // Writes what is buffered and closes the file. Raises output_file_failed on any failure.
  void close();

private:
  void flush();
  void write_all(const char* data, std::size_t size, std::uint64_t offset);
  [[noreturn]] void fail(const char* what) const;

  std::filesystem::path path_;
  int descriptor_ = -1;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::uint64_t written_ = 0;
};

} // namespace tamix
