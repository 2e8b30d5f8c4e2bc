#include "data/table_objects.h"

#include <string>
#include <utility>

#include "com/object.h"
#include "data/append_writer.h"
#include "data/cursors.h"
#include "data/field_objects.h"
#include "data/folder_files.h"
#include "data/host_error.h"
#include "data/line_merge.h"
#include "data/rows.h"
#include "data/selection_set.h"
#include "geometry/shape_access.h"
#include "host/line_merge.h"
#include "host/workspace.h"

namespace host {

namespace {

// Everything tables and feature classes do alike.
template <class Primary, class... Extra>
class ClassBase : public com::ComObject<Primary, Extra...> {
public:
  explicit ClassBase(std::shared_ptr<const TableContext> table) : table_(std::move(table)) {}

  // HostDataset
  std::string Name() override { return table_->dataset().name(); }
  com::ComPtr<HostWorkspace> Workspace() override { return table_->workspace(); }
  bool CanDelete() override { return true; }
  com::HRESULT Delete() override {
    return guarded([&] {
      const auto& data = table_->dataset();
      close_appending_writers(data.dbf_path());
      if (is_scratch_name(data.name()))
        delete_scratch_files(data.folder(), data.name());
      else
        delete_dataset_files(data.folder(), data.name());
    });
  }

  // HostClass / HostObjectClass
  com::ComPtr<HostFields> Fields() override {
    com::ComPtr<HostFields> fields;
    guarded([&] { fields = table_->fields(); });
    return fields;
  }
  int FindField(const std::string& name) override {
    const auto fields = Fields();
    return fields ? fields->FindField(name) : -1;
  }
  com::HRESULT AddField(HostField* field) override {
    return field_change([&] {
      const FieldDefinition definition = definition_of(field);
      auto dbf = table_->dataset().open_dbf(true);
      dbf.add_column(to_dbf(definition));
      // Existing records take the field's default value, as a new row would.
      const auto initial = field->DefaultValue();
      if (initial.is_empty())
        return;
      const int column = dbf.find(definition.name);
      for (int record = 0; record < dbf.record_count(); ++record)
        dbf.write(record, column, initial);
    });
  }
  com::HRESULT DeleteField(HostField* field) override {
    return field_change([&] {
      const FieldDefinition definition = definition_of(field);
      auto dbf = table_->dataset().open_dbf(true);
      const int column = dbf.find(definition.name);
      if (column < 0)
        throw HostError("there is no field \"" + definition.name + "\" to delete",
                        com::E_INVALIDARG);
      if (dbf.columns().size() == 1)
        throw HostError("the last field of " + dbf.path() + " cannot be deleted",
                        com::E_INVALIDARG);
      dbf.delete_column(column);
    });
  }
  std::string FieldChangeFailure() override { return field_change_failure_; }
  bool HasOID() override { return true; }
  std::string OIDFieldName() override { return table_->has_shapes() ? "FID" : "OID"; }
  std::string AliasName() override { return Name(); }
  com::HRESULT AddIndex(HostIndex* index) override {
    if (!index)
      return com::E_POINTER;
    return guarded([&] {
      const auto fields = index->Fields();
      for (int i = 0; fields && i < fields->FieldCount(); ++i)
        if (FindField(fields->Field(i)->Name()) < 0)
          throw HostError("an index names the field \"" + fields->Field(i)->Name() + "\", which " +
                              Name() + " does not have",
                          com::E_INVALIDARG);
    });
  }

  // HostTable
  com::HRESULT RowCount(HostQueryFilter* filter, std::int32_t* count) override {
    if (!count)
      return com::E_POINTER;
    return guarded([&] { *count = static_cast<std::int32_t>(matching(filter).size()); });
  }
  com::HRESULT GetRow(std::int32_t oid, com::ComPtr<HostRow>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = row(oid); });
  }
  com::HRESULT CreateRowBuffer(com::ComPtr<HostRowBuffer>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = make_row_buffer(table_); });
  }
  com::HRESULT CreateRow(com::ComPtr<HostRow>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] {
      const auto buffer = make_row_buffer(table_);
      const auto content = content_of(*table_, *table_->fields(), buffer.get());
      *out = row(table_->append(content.values, content.shape));
    });
  }
  com::HRESULT Search(HostQueryFilter* filter, bool, com::ComPtr<HostCursor>* out) override {
    return open(filter, CursorMode::search, out);
  }
  com::HRESULT Update(HostQueryFilter* filter, bool, com::ComPtr<HostCursor>* out) override {
    return open(filter, CursorMode::update, out);
  }
  com::HRESULT Insert(bool, com::ComPtr<HostCursor>* out) override {
    return open(nullptr, CursorMode::insert, out);
  }
  com::HRESULT DeleteSearchedRows(HostQueryFilter* filter) override {
    return guarded([&] { table_->dataset().delete_records(matching(filter)); });
  }
  com::HRESULT Select(HostQueryFilter* filter, com::ComPtr<HostSelectionSet>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] {
      const auto ids = matching(filter);
      *out = make_selection_set(com::ComPtr<HostTable>(static_cast<HostTable*>(this)),
                                std::vector<std::int32_t>(ids.begin(), ids.end()));
    });
  }

protected:
  template <class CursorInterface>
  com::HRESULT open(HostQueryFilter* filter, CursorMode mode, com::ComPtr<CursorInterface>* out) {
    if (!out)
      return com::E_POINTER;
    return guarded(
        [&] { *out = make_cursor(table_, filter, mode).template as<CursorInterface>(); });
  }

  com::ComPtr<HostRow> row(std::int32_t oid) {
    const auto dbf = table_->dataset().open_dbf(false);
    if (oid < 0 || oid >= dbf.record_count())
      throw HostError("there is no row " + std::to_string(oid) + " in " + Name(),
                      com::E_INVALIDARG);
    com::ComPtr<HostGeometry> shape;
    if (table_->has_shapes())
      shape = make_geometry(table_->dataset().open_shp(false).read(oid),
                            table_->spatial_reference().get());
    return make_row(table_, table_->fields(), oid, dbf.read_record(oid), std::move(shape));
  }

  std::vector<int> matching(HostQueryFilter* filter) { return matching_records(*table_, filter); }

  template <class Body> com::HRESULT field_change(Body&& body) {
    const auto result = guarded(std::forward<Body>(body));
    field_change_failure_ = com::FAILED(result) ? last_error_message() : std::string();
    return result;
  }

  std::shared_ptr<const TableContext> table_;
  std::string field_change_failure_;
};

class Table final : public ClassBase<HostTable, HostObjectClass, HostDataset> {
public:
  using ClassBase::ClassBase;
};

class FeatureClass final
    : public ClassBase<HostFeatureClass, HostTable, HostDataset, HostLineMerge> {
public:
  using ClassBase::ClassBase;
  using ClassBase::Insert;
  using ClassBase::Search;
  using ClassBase::Update;

  int ShapeType() override { return table_->shape_type(); }
  std::string ShapeFieldName() override { return "Shape"; }
  int FeatureType() override { return 1; }
  com::HRESULT FeatureCount(HostQueryFilter* filter, std::int32_t* count) override {
    return RowCount(filter, count);
  }
  com::HRESULT GetFeature(std::int32_t oid, com::ComPtr<HostFeature>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = row(oid).as<HostFeature>(); });
  }
  com::HRESULT CreateFeatureBuffer(com::ComPtr<HostFeatureBuffer>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = make_row_buffer(table_).as<HostFeatureBuffer>(); });
  }
  com::HRESULT CreateFeature(com::ComPtr<HostFeature>* out) override {
    com::ComPtr<HostRow> created;
    const auto hr = CreateRow(&created);
    if (out)
      *out = created.as<HostFeature>();
    return hr;
  }
  com::HRESULT Search(HostQueryFilter* filter, bool, com::ComPtr<HostFeatureCursor>* out) override {
    return open(filter, CursorMode::search, out);
  }
  com::HRESULT Update(HostQueryFilter* filter, bool, com::ComPtr<HostFeatureCursor>* out) override {
    return open(filter, CursorMode::update, out);
  }
  com::HRESULT Insert(bool, com::ComPtr<HostFeatureCursor>* out) override {
    return open(nullptr, CursorMode::insert, out);
  }
  com::ComPtr<HostEnvelope> Extent() override {
    com::ComPtr<HostEnvelope> extent;
    guarded([&] {
      extent =
          make_geometry_as<HostEnvelope>(make_envelope(table_->dataset().open_shp(false).bounds()),
                                         table_->spatial_reference().get());
    });
    return extent;
  }

  // HostLineMerge
  com::HRESULT MergeLines(const std::vector<std::vector<std::int32_t>>& runs,
                          std::string* why) override {
    const auto result = guarded([&] {
      const Dataset& data = table_->dataset();
      close_appending_writers(data.dbf_path());
      merge_line_records({find_in_folder(data.folder(), data.name() + ".shp").string(),
                          find_in_folder(data.folder(), data.name() + ".shx").string(),
                          data.dbf_path()},
                         runs);
    });
    if (why)
      *why = com::FAILED(result) ? last_error_message() : std::string();
    return result;
  }
};

} // namespace

com::ComPtr<HostTable> make_table_object(std::shared_ptr<const TableContext> table) {
  if (table->has_shapes())
    return com::make<FeatureClass>(std::move(table));
  return com::make<Table>(std::move(table));
}

} // namespace host
