#pragma once

#include <shapefil.h>

#include <string>

#include "geometry/shape.h"

namespace host {

// An open ".shp"/".shx" pair (through shapelib). `base` is the path without extension;
// a dataset name may itself hold dots ("roads.v2").
// Failures raise HostError naming the file.
class ShpFile {
public:
  // Checks the ".shp" and ".shx" headers and the index against the files first (HostError
  // naming the file and what is wrong). Opened to be read only, the files are read in blocks
  // (buffered_reads.h).
  ShpFile(const std::string& base, bool writable);
  // Creates an empty pair of the host geometry type `type` (1, 2, 3 or 4).
  static ShpFile create(const std::string& base, int type);
  ShpFile(ShpFile&& other) noexcept;
  ShpFile& operator=(ShpFile&&) = delete;
  ~ShpFile();

  int record_count() const;
  // The host geometry type of the file's shapes.
  int shape_type() const { return type_; }
  Box bounds() const;

  // A null record gives an empty shape of the file's type.
  Shape read(int record) const;
  // Writes `shape` at `record` (-1 appends); returns the record number. An empty shape is
  // stored as a null record. Polygon rings are put in the file's order (outer clockwise).
  int write(int record, const Shape& shape);

private:
  ShpFile(SHPHandle handle, std::string base);

  SHPHandle handle_ = nullptr;
  std::string base_;
  int type_ = 0;
};

} // namespace host
