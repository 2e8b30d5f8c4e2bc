#pragma once

// A file of the output table, written front to back through a buffer of its own: a table of a
// million small records then costs one system call per few megabytes, not several per record.
// A full buffer is written by a thread of its own while the next one fills, so that copying
// gigabytes of lines into the file does not hold up the rows. The headers, whose counts are
// known only at the end, are put in place with write_at. The file is written under a temporary
// name and takes its own together with the other files of its set (finish()), so a run killed
// half-way leaves no half-written file under the real name.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <vector>

#include "files/replace_file.h"

namespace tamix {

// The table's file `base` + `extension`: its paths carry no extension of their own, and a dot in
// a name must not be taken for one.
std::filesystem::path with_extension(std::filesystem::path base, const char* extension);

// The files of one output set (a shapefile's ".shp", ".shx", ".dbf" and ".cpg"), each whole
// under its temporary name, waiting to replace their targets together.
using OutputSet = std::vector<std::unique_ptr<files::ReplacingFile>>;

// Completes a removal or replacement of the set at `base` that a killed run decided, before a
// new set of that name is begun: its record would otherwise act on the new files. Raises
// output_file_failed.
void finish_earlier_set(const std::filesystem::path& base);

// Replaces the targets of `set` together (files::replace_together), so that a failure or a kill
// leaves the old set or the whole new one; the old set's indexes go first, and the files of the
// old set in `removed` go with the new set's decision. A scratch set is not synced to disk.
// Raises output_file_failed.
void replace_output_set(OutputSet& set, const std::vector<std::filesystem::path>& removed = {},
                        files::Durability durability = files::Durability::synced);

class OutputFile {
public:
  // Starts `path` under its temporary name. Raises output_file_failed when it cannot.
  explicit OutputFile(std::filesystem::path path);
  // Without finish(), the temporary is deleted: the real name keeps what it had.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void append(const void* data, std::size_t size);
  // `size` bytes at the end of the file for the caller to fill before the next call.
  char* extend(std::size_t size);
  // Overwrites bytes already in the file (after writing what is buffered).
  void write_at(std::uint64_t offset, const void* data, std::size_t size);
  std::uint64_t size() const { return written_ + used_; }
  // Writes what is buffered and hands the whole temporary to `set`, which gives it its name.
  // Raises output_file_failed.
  void finish(OutputSet& set);

private:
  // Starts writing the buffer in the background; a failure of the last write raises here.
  void flush();
  // Waits for the background write; raises its failure.
  void finish_writing();
  // Writes what is buffered and waits until all is in the file.
  void drain();
  void write_all(const char* data, std::size_t size, std::uint64_t offset) const;

  std::filesystem::path path_;
  std::unique_ptr<files::ReplacingFile> file_; // null once closed
  std::vector<char> buffer_;                   // being filled
  std::vector<char> in_flight_;                // being written
  std::size_t used_ = 0;
  std::uint64_t written_ = 0; // bytes written or being written
  std::future<void> writing_; // last: it must end before the buffers go
};

} // namespace tamix
