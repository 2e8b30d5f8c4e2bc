#pragma once

// Reading and writing the engine's binary files: a fixed header, then raw arrays.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "error.h"

namespace files {
class ReplacingFile;
}

namespace tamix {

struct FileHeader {
  std::array<char, 8> magic{};
  std::uint32_t version = 0;
  std::uint32_t extra = 0; // a small per-file value (e.g. the map units)
  std::array<std::uint64_t, 3> counts{};
};
static_assert(sizeof(FileHeader) == 40);

// Closes the file however its owner's construction ends, even when it fails half-way.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Writes to "<path>.tmp"; commit() syncs it and renames it to `path`, so a failed write or a
// killed run never leaves a half-written file under the real name. Raises output_file_failed
// when the file cannot be written, naming the file and the reason ("/net/link.bin: its new copy
// cannot be written: there is no space left on the device; ...").
class BinaryWriter {
public:
  BinaryWriter(std::filesystem::path path, const FileHeader& header);
  ~BinaryWriter();
  BinaryWriter(const BinaryWriter&) = delete;
  BinaryWriter& operator=(const BinaryWriter&) = delete;

  template <class T> void write(std::span<const T> items) {
    write_bytes(items.data(), items.size_bytes());
  }
  template <class T> void write(const std::vector<T>& items) { write(std::span<const T>(items)); }
  // Closes the file and gives it its real name.
  void commit();

private:
  void write_bytes(const void* data, std::size_t size);

  std::filesystem::path path_;
  std::unique_ptr<files::ReplacingFile> file_;
  std::uint64_t written_ = 0;
};

// Opens `path` and checks its header: magic and version (else wrong_version), then that the
// file's size is exactly the header plus `body_size(header)` bytes (else wrong_version). A
// missing or unreadable file raises load_failed.
class BinaryReader {
public:
  template <class BodySize>
  BinaryReader(const std::filesystem::path& path, const char (&magic)[9], std::uint32_t version,
               BodySize body_size)
      : BinaryReader(path, magic, version) {
    check_size(body_size(header_));
  }
  BinaryReader(const BinaryReader&) = delete;
  BinaryReader& operator=(const BinaryReader&) = delete;

  const FileHeader& header() const { return header_; }

  template <class T> void read(std::vector<T>& items, std::uint64_t count) {
    items.resize(count);
    read_bytes(items.data(), count * sizeof(T));
  }

  // Moves `size` bytes on, past items the reader does not need.
  void skip(std::uint64_t size);

private:
  BinaryReader(const std::filesystem::path& path, const char (&magic)[9], std::uint32_t version);
  void check_size(std::uint64_t body_size);
  void read_bytes(void* data, std::uint64_t size);

  std::filesystem::path path_;
  FileHandle file_;
  FileHeader header_;
};

// The next `count` items of type T of `file`, one at a time, for a reader that streams a file
// instead of holding its arrays: they are read a block at a time, at the speed of a bulk read.
template <class T> class ItemStream {
public:
  ItemStream(BinaryReader& file, std::uint64_t count) : file_(file), left_(count) {}

  // Raises general_error past the `count` items.
  T next() {
    if (at_ == block_.size()) {
      const std::uint64_t size = std::min<std::uint64_t>(left_, block_items);
      if (size == 0)
        throw Error(code::general_error, "an engine file was read past its items");
      file_.read(block_, size);
      left_ -= size;
      at_ = 0;
    }
    return block_[at_++];
  }

private:
  static constexpr std::uint64_t block_items = std::uint64_t{64} << 10;
  BinaryReader& file_;
  std::vector<T> block_;
  std::size_t at_ = 0;
  std::uint64_t left_;
};

FileHeader make_header(const char (&magic)[9], std::uint32_t version);

} // namespace tamix
