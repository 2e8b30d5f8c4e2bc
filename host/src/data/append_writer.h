#pragma once

#include <optional>
#include <string>
#include <vector>

#include "com/variant.h"
#include "data/dataset.h"

namespace host {

// Appends records to a dataset, keeping its files open from one record to the next (an
// insert cursor writes many). Opening a shapefile reads its whole index, so reopening it for
// every record would make a long run of inserts quadratic. Whoever else opens the dataset's
// files first has every open writer close them (which writes their headers and index), so
// every reader sees all records appended so far; a writer reopens its files when it next
// appends.
class AppendWriter {
public:
  AppendWriter(Dataset dataset, int shape_type);
  ~AppendWriter();
  AppendWriter(const AppendWriter&) = delete;
  AppendWriter& operator=(const AppendWriter&) = delete;

  // Appends `values` (one per ".dbf" column, Empty for none) and `shape`; returns the record
  // number.
  int append(const std::vector<com::Variant>& values, const Shape& shape);
  void close();

private:
  void open();

  Dataset dataset_;
  int shape_type_;
  std::string key_;
  std::optional<DbfFile> dbf_;
  std::optional<ShpFile> shp_;
};

// Closes the files of every writer appending to the ".dbf" at `dbf_path`.
void close_appending_writers(const std::string& dbf_path);

} // namespace host
