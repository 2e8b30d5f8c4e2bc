#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "com/unknown.h"
#include "data/table_context.h"
#include "host/row.h"

namespace host {

// Inside the host: where a stored row comes from.
struct RowOrigin : com::IUnknown {
  COM_INTERFACE(RowOrigin, com::IUnknown, "0E6B1C4A-92F5-4E57-A3B1-6C2D8E9F0A17")
  virtual std::shared_ptr<const TableContext> table() = 0;
  virtual int record() = 0;
};

// A row read from record `oid` (a feature when the table has shapes; `shape` is then its
// geometry, already in the coordinate system it is handed out in, or null when the search did
// not fetch it). `values` are the ".dbf" values, Empty where they were not fetched.
com::ComPtr<HostRow> make_row(std::shared_ptr<const TableContext> table,
                              com::ComPtr<HostFields> fields, int oid,
                              std::vector<com::Variant> values, com::ComPtr<HostGeometry> shape);

// An empty buffer (a feature buffer when the table has shapes).
com::ComPtr<HostRowBuffer> make_row_buffer(std::shared_ptr<const TableContext> table);

// The ".dbf" values and the shape (in the table's coordinate system) of a row or buffer, any
// object with the table's field layout, as a new record takes them.
struct RowContent {
  std::vector<com::Variant> values;
  Shape shape;
};
// `fields` are the table's (read once by the caller, so that a run of inserts does not read the
// ".dbf" header again for each).
RowContent content_of(const TableContext& table, HostFields& fields, HostRowValues* row);

} // namespace host
