#include "data/cursors.h"

#include <optional>
#include <vector>

#include "com/object.h"
#include "data/append_writer.h"
#include "data/host_error.h"
#include "data/rows.h"
#include "geometry/shape_access.h"

namespace host {

namespace {

class Cursor final : public com::ComObject<HostCursor, HostFeatureCursor> {
public:
  Cursor(std::shared_ptr<const TableContext> table, HostQueryFilter* filter, CursorMode mode)
      : table_(std::move(table)), filter_(*table_, filter), mode_(mode), fields_(table_->fields()) {
    if (mode_ != CursorMode::insert)
      open_files();
  }

  com::ComPtr<HostFields> Fields() override { return fields_; }

  com::HRESULT NextRow(com::ComPtr<HostRow>* out) override {
    if (!out)
      return com::E_POINTER;
    *out = nullptr;
    if (mode_ == CursorMode::insert)
      return com::E_UNEXPECTED;
    const auto hr = guarded([&] { *out = next(); });
    if (com::FAILED(hr))
      return hr;
    return *out ? com::S_OK : com::S_FALSE;
  }
  com::HRESULT NextFeature(com::ComPtr<HostFeature>* out) override {
    if (!out)
      return com::E_POINTER;
    if (!table_->has_shapes())
      return com::E_NOINTERFACE;
    com::ComPtr<HostRow> row;
    const auto hr = NextRow(&row);
    *out = row.as<HostFeature>();
    return hr;
  }

  com::HRESULT UpdateRow(HostRow* row) override {
    if (mode_ != CursorMode::update)
      return com::E_UNEXPECTED;
    if (!row)
      return com::E_POINTER;
    return row->Store();
  }
  com::HRESULT UpdateFeature(HostFeature* feature) override { return UpdateRow(feature); }

  com::HRESULT DeleteRow() override {
    if (mode_ != CursorMode::update || current_ < 0)
      return com::E_UNEXPECTED;
    return guarded([&] {
      close_files();
      table_->dataset().delete_records({current_});
      // The records after it moved up one: read on from the same number.
      next_ = current_;
      current_ = -1;
      open_files();
    });
  }
  com::HRESULT DeleteFeature() override { return DeleteRow(); }

  com::HRESULT InsertRow(HostRowBuffer* buffer, std::int32_t* id) override {
    return insert(buffer, id);
  }
  com::HRESULT InsertFeature(HostFeatureBuffer* buffer, std::int32_t* id) override {
    return insert(buffer, id);
  }
  // Inserts are visible at once (see AppendWriter); Flush writes the headers now.
  com::HRESULT Flush() override {
    if (writer_)
      writer_->close();
    return com::S_OK;
  }

private:
  com::ComPtr<HostRow> next() {
    while (next_ < dbf_->record_count()) {
      const int record = next_++;
      std::optional<Shape> shape;
      if (shp_ && (filter_.fetches_shape() || filter_.needs_shape()))
        shape = shp_->read(record);
      const auto value_of = [&](int column) { return dbf_->read(record, column); };
      if (!filter_.matches(value_of, shape ? &*shape : nullptr))
        continue;
      current_ = record;
      com::ComPtr<HostGeometry> geometry;
      if (shape && filter_.fetches_shape()) {
        geometry = make_geometry(std::move(*shape), table_->spatial_reference().get());
        if (const auto output = filter_.output_reference()) {
          if (com::FAILED(geometry->Project(output.get())))
            throw HostError("a shape of " + table_->dataset().name() +
                            " cannot be projected (record " + std::to_string(record) + ")");
        }
      }
      return make_row(table_, fields_, record, values(record), std::move(geometry));
    }
    return nullptr;
  }

  // The values of the columns the filter fetches, Empty in the others.
  std::vector<com::Variant> values(int record) const {
    const auto& fetched = filter_.fetched_columns();
    if (!fetched)
      return dbf_->read_record(record);
    std::vector<com::Variant> values(dbf_->columns().size());
    for (const int column : *fetched)
      values[static_cast<std::size_t>(column)] = dbf_->read(record, column);
    return values;
  }

  com::HRESULT insert(HostRowValues* buffer, std::int32_t* id) {
    if (mode_ != CursorMode::insert)
      return com::E_UNEXPECTED;
    return guarded([&] {
      if (!writer_)
        writer_.emplace(table_->dataset(), table_->shape_type());
      const auto content = content_of(*table_, *fields_, buffer);
      const int record = writer_->append(content.values, content.shape);
      if (id)
        *id = record;
    });
  }

  void open_files() {
    dbf_.emplace(table_->dataset().open_dbf(false));
    if (table_->has_shapes())
      shp_.emplace(table_->dataset().open_shp(false));
  }
  void close_files() {
    dbf_.reset();
    shp_.reset();
  }

  std::shared_ptr<const TableContext> table_;
  RowFilter filter_;
  CursorMode mode_;
  com::ComPtr<HostFields> fields_;
  std::optional<DbfFile> dbf_;
  std::optional<ShpFile> shp_;
  std::optional<AppendWriter> writer_;
  int next_ = 0;
  int current_ = -1;
};

} // namespace

com::ComPtr<com::IUnknown> make_cursor(std::shared_ptr<const TableContext> table,
                                       HostQueryFilter* filter, CursorMode mode) {
  return com::make<Cursor>(std::move(table), filter, mode).as<com::IUnknown>();
}

} // namespace host
