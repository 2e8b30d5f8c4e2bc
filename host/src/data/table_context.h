#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "com/unknown.h"
#include "com/variant.h"
#include "data/dataset.h"
#include "data/where_clause.h"
#include "geometry/shape.h"
#include "host/fields.h"
#include "host/query_filter.h"
#include "host/workspace.h"

namespace host {

// What the table, row and cursor objects of one dataset share. Field indexes are the host's:
// 0 is the object id, 1 the shape (feature classes only), then the ".dbf" columns in order.
class TableContext {
public:
  TableContext(Dataset dataset, com::ComPtr<HostWorkspace> workspace);

  const Dataset& dataset() const { return dataset_; }
  com::ComPtr<HostWorkspace> workspace() const { return workspace_; }
  bool has_shapes() const { return dataset_.has_shapes(); }
  // Index of the first ".dbf" column.
  int first_column() const { return has_shapes() ? 2 : 1; }
  int shape_type() const { return shape_type_; }
  com::ComPtr<HostSpatialReference> spatial_reference() const { return reference_; }

  // The fields as the ".dbf" header has them now.
  com::ComPtr<HostFields> fields() const;

  // Appends a record with `values` (one per ".dbf" column, Empty for none) and `shape`.
  int append(const std::vector<com::Variant>& values, const Shape& shape) const;
  // Writes the given ".dbf" columns of `record`, and its shape when given.
  void store(int record, const std::vector<std::pair<int, com::Variant>>& values,
             const Shape* shape) const;

private:
  Dataset dataset_;
  com::ComPtr<HostWorkspace> workspace_;
  int shape_type_ = 0;
  com::ComPtr<HostSpatialReference> reference_;
};

// A query filter prepared for one table: its where clause parsed, its geometry brought into
// the table's coordinate system, and the coordinate system shapes are handed out in.
class RowFilter {
public:
  // Null filter = every row. HostError (E_INVALIDARG) for a clause that does not parse or a
  // spatial relation other than "intersects".
  RowFilter(const TableContext& table, HostQueryFilter* filter);

  // True when no row can fail the filter; false when the shape must be read to decide.
  bool selects_all() const { return where_.selects_all() && !area_; }
  bool needs_shape() const { return area_.has_value(); }
  // `value_of` gives ".dbf" column values by column index; `shape` is the row's shape (null
  // when needs_shape() is false).
  bool matches(const WhereClause::Values& value_of, const Shape* shape) const;
  // Null: shapes stay in the table's system.
  com::ComPtr<HostSpatialReference> output_reference() const { return output_; }
  // What the rows are handed (the filter's SubFields): the shape or not, and the ".dbf"
  // columns, in column order, or all of them when null.
  bool fetches_shape() const { return fetches_shape_; }
  const std::optional<std::vector<int>>& fetched_columns() const { return fetched_columns_; }

private:
  void read_sub_fields(const TableContext& table, const std::string& names);

  WhereClause where_;
  std::optional<Shape> area_;
  Box area_box_;
  com::ComPtr<HostSpatialReference> output_;
  bool fetches_shape_ = true;
  std::optional<std::vector<int>> fetched_columns_;
};

// The numbers of the records that pass `filter` (null: all), in record order, read without
// making row objects (counts and selections of large tables stay cheap).
std::vector<int> matching_records(const TableContext& table, HostQueryFilter* filter);

} // namespace host
