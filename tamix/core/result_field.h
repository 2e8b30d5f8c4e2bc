#pragma once

// The result field: one numeric column of the network layer's attribute table (a dBASE file),
// written in place. Row r of the table belongs to link r + 1.
//
// Only the column's bytes inside the records change: the header, the other columns and every
// other file of the shapefile stay as they are (the add-in compares the .shp's modification
// time with its settings file, so the .shp must never be touched). The file is opened for each
// operation, so a table replaced or widened between calls is read afresh, and what is written is
// visible to any reader of the file at once.

#include "error.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tamix {

struct ResultValue {
  std::uint32_t row = 0; // 0-based record number
  double value = 0;
};

class ResultField {
public:
  // Checks that `dbf` is a readable dBASE table with a numeric field `name` (letter case
  // ignored). Raises output_file_failed for a missing, unreadable or malformed file (including
  // one shorter than its header says), field_not_found, field_not_numeric (a field that is not
  // of type N or F).
  ResultField(std::filesystem::path dbf, std::string name);

  const std::filesystem::path& table() const { return dbf_; }
  const std::string& name() const { return name_; }

  // Writes 0 into every row. Raises as the constructor does when the file has changed since.
  void clear() const;
  // Writes by_row[r] into row r, and 0 into the rows beyond the span: the whole column in one
  // pass. Raises out_of_bounds (before writing anything) when the span is longer than the table.
  void write_rows(std::span<const double> by_row) const;
  // Writes each value into its row; a value too wide for the field keeps as many decimals as
  // fit. Raises out_of_bounds (before writing anything) for a row beyond the table's end.
  void write(std::span<const ResultValue> values) const;

private:
  std::filesystem::path dbf_;
  std::string name_;
};

// The dBASE text of `value` in a numeric field: right-aligned in exactly `width` characters,
// with `decimals` decimals or as many as fit; stars when it fits in no way, blanks (an empty
// value) when it is no number.
std::string dbf_number_text(double value, std::uint32_t width, std::uint32_t decimals);

} // namespace tamix
