#include "data/table_context.h"

#include <algorithm>

#include "data/append_writer.h"
#include "data/field_objects.h"
#include "data/host_error.h"
#include "geometry/ogr_bridge.h"
#include "geometry/shape_access.h"

namespace host {

TableContext::TableContext(Dataset dataset, com::ComPtr<HostWorkspace> workspace)
    : dataset_(std::move(dataset)), workspace_(std::move(workspace)) {
  // Opening the files checks their headers: a class whose files disagree with them is refused
  // here, before any caller reads or writes it.
  dataset_.open_dbf(false);
  if (dataset_.has_shapes()) {
    shape_type_ = dataset_.open_shp(false).shape_type();
    reference_ = dataset_.spatial_reference();
  }
}

com::ComPtr<HostFields> TableContext::fields() const {
  std::vector<com::ComPtr<HostFieldEdit>> list;
  list.push_back(make_oid_field(has_shapes() ? "FID" : "OID"));
  if (has_shapes())
    list.push_back(make_shape_field(shape_type_, reference_.get()));
  const auto dbf = dataset_.open_dbf(false);
  for (const auto& column : dbf.columns())
    list.push_back(make_field(from_dbf(column)));
  return make_fields(list);
}

int TableContext::append(const std::vector<com::Variant>& values, const Shape& shape) const {
  return AppendWriter(dataset_, shape_type_).append(values, shape);
}

void TableContext::store(int record, const std::vector<std::pair<int, com::Variant>>& values,
                         const Shape* shape) const {
  if (!values.empty()) {
    auto dbf = dataset_.open_dbf(true);
    if (record < 0 || record >= dbf.record_count())
      throw HostError("there is no record " + std::to_string(record) + " in " + dbf.path(),
                      com::E_INVALIDARG);
    for (const auto& [column, value] : values)
      dbf.write(record, column, value);
  }
  if (shape)
    dataset_.open_shp(true).write(record, *shape);
}

RowFilter::RowFilter(const TableContext& table, HostQueryFilter* filter) {
  if (!filter)
    return;
  const auto dbf = table.dataset().open_dbf(false);
  where_ = WhereClause::parse(
      filter->WhereClause(), [&](const std::string& name) -> std::optional<WhereClause::Column> {
        const int column = dbf.find(name);
        if (column < 0)
          return std::nullopt;
        const int type = from_dbf(dbf.columns()[static_cast<std::size_t>(column)]).type;
        return WhereClause::Column{column, type == field_string || type == field_date};
      });
  read_sub_fields(table, filter->SubFields());
  if (!table.has_shapes())
    return;
  output_ = filter->OutputSpatialReference("Shape");
  if (output_ && table.spatial_reference() && output_->IsEqual(table.spatial_reference().get()))
    output_ = nullptr;

  const auto spatial = com::ComPtr<HostQueryFilter>(filter).as<HostSpatialFilter>();
  if (!spatial || !spatial->Geometry())
    return;
  if (spatial->SpatialRel() != spatial_rel_intersects)
    throw HostError("only the spatial relation \"intersects\" (1) can be searched, not " +
                        std::to_string(spatial->SpatialRel()),
                    com::E_INVALIDARG);
  auto geometry = spatial->Geometry()->Clone();
  if (table.spatial_reference() && geometry->SpatialReference()) {
    const auto projected = geometry->Project(table.spatial_reference().get());
    if (com::FAILED(projected))
      throw HostError("the filter geometry cannot be projected");
  }
  area_ = shape_of(geometry.get());
  area_box_ = area_->bounds();
}

void RowFilter::read_sub_fields(const TableContext& table, const std::string& names) {
  std::vector<std::string> listed;
  for (std::size_t start = 0; start <= names.size();) {
    const std::size_t end = std::min(names.find(',', start), names.size());
    const std::size_t first = names.find_first_not_of(' ', start);
    if (first < end)
      listed.push_back(names.substr(first, names.find_last_not_of(' ', end - 1) + 1 - first));
    start = end + 1;
  }
  if (listed.empty() || std::ranges::find(listed, "*") != listed.end())
    return;
  const auto fields = table.fields();
  std::vector<int> columns;
  fetches_shape_ = false;
  for (const auto& name : listed) {
    const int index = fields->FindField(name);
    if (index < 0)
      throw HostError("a search asks for the field \"" + name + "\", which " +
                          table.dataset().name() + " does not have",
                      com::E_INVALIDARG);
    if (table.has_shapes() && index == 1)
      fetches_shape_ = true;
    else if (index >= table.first_column())
      columns.push_back(index - table.first_column());
  }
  std::ranges::sort(columns);
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  fetched_columns_ = std::move(columns);
}

bool RowFilter::matches(const WhereClause::Values& value_of, const Shape* shape) const {
  if (area_) {
    if (!shape || !shape->bounds().intersects(area_box_))
      return false;
    // A box filter is answered by the box test alone for points; shapes that only share the
    // box with it are tested exactly.
    if (!(area_->type == geometry_envelope && shape->type == geometry_point) &&
        !relate(*area_, *shape, Relation::intersects))
      return false;
  }
  return where_.matches(value_of);
}

std::vector<int> matching_records(const TableContext& table, HostQueryFilter* filter) {
  const RowFilter row_filter(table, filter);
  const auto dbf = table.dataset().open_dbf(false);
  std::vector<int> records;
  if (row_filter.selects_all()) {
    for (int r = 0; r < dbf.record_count(); ++r)
      records.push_back(r);
    return records;
  }
  std::optional<ShpFile> shp;
  if (row_filter.needs_shape())
    shp.emplace(table.dataset().open_shp(false));
  for (int r = 0; r < dbf.record_count(); ++r) {
    std::optional<Shape> shape;
    if (shp)
      shape = shp->read(r);
    if (row_filter.matches([&](int column) { return dbf.read(r, column); },
                           shape ? &*shape : nullptr))
      records.push_back(r);
  }
  return records;
}

} // namespace host
