#pragma once

// A set's files (a shapefile's ".shp", ".shx" and ".dbf", or a ".dbf" alone) rewritten from
// their bytes: the records kept copied as they are, new ones added, the new files written
// straight into the temporaries that replace the old ones together (see replace_set.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/shapefile_paths.h"
#include "files/dbf_header.h"

namespace host {

// A set read whole, after the checks every reader makes: a replacement a killed run decided is
// finished first (files::finish_replacement), the headers and the index are checked against the
// files, and the table must hold a row for each shape. Files reached through symbolic links are
// read, and later rewritten, where the links point, so that the links stay links. Raises
// files::FileError or HostError (E_INVALIDARG) naming the file.
class SetRecords {
public:
  explicit SetRecords(const ShapefilePaths& given);

  // The files as given, and the files the links among them name.
  const ShapefilePaths& given() const { return given_; }
  const ShapefilePaths& files() const { return files_; }
  bool has_shapes() const { return !files_.shp.empty(); }
  std::size_t count() const { return table_.record_count; }
  std::int32_t shape_type() const;
  // The content of the shape of `record` (after its 8-byte record header); HostError when the
  // ".shp" changed under the reader.
  std::pair<const unsigned char*, std::size_t> shape(std::size_t record) const;
  // The first 100 bytes of the ".shp", the table's header and one row of it.
  const unsigned char* shape_header() const { return shp_.data(); }
  const files::DbfHeader& table() const { return table_; }
  const unsigned char* row(std::size_t record) const {
    return &dbf_[table_.header_length + record * std::size_t(table_.record_length)];
  }

private:
  ShapefilePaths given_, files_;
  files::DbfHeader table_;
  std::vector<unsigned char> shp_, shx_, dbf_;
};

// Records that follow the kept ones in the new set: a shape's content each, with the row of the
// old table it takes its attributes from.
struct AddedRecords {
  std::vector<std::vector<unsigned char>> shapes;
  std::vector<std::size_t> rows;
};

// Writes `old` anew: its records whose `dropped` entry is 0 (one entry a record) in their order,
// then `added`; the ".shp" header gets the box of what the set holds, the table its new count.
// The new files replace the old ones together after they are read back; the indexes beside
// them go. Raises HostError naming the files as the user knows them.
void rewrite_set(const SetRecords& old, const std::vector<std::uint8_t>& dropped,
                 const AddedRecords& added = {});

} // namespace host
