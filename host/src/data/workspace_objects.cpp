#include "data/workspace_objects.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "com/letter_case.h"
#include "com/object.h"
#include "data/field_objects.h"
#include "data/folder_files.h"
#include "data/host_error.h"
#include "data/table_objects.h"
#include "files/file_error.h"
#include "files/replace_together.h"

namespace host {

namespace {

namespace fs = std::filesystem;

// "Roads.shp" and "Roads" name the same dataset.
std::string without_extension(const std::string& name, const char* extension) {
  const std::string ext = extension;
  if (name.size() > ext.size() &&
      com::equal_ignoring_case(std::string_view(name).substr(name.size() - ext.size()), ext))
    return name.substr(0, name.size() - ext.size());
  return name;
}

// The ".dbf" columns, shape type and ".prj" text a new dataset gets from its field list.
struct NewDataset {
  std::vector<DbfColumn> columns;
  int shape_type = geometry_null;
  std::string prj;
};

NewDataset describe(HostFields* fields, bool shapes) {
  if (!fields)
    throw HostError("no fields given for the new dataset", com::E_POINTER);
  NewDataset out;
  for (int i = 0; i < fields->FieldCount(); ++i) {
    const auto field = fields->Field(i);
    const int type = field->Type();
    if (type == field_oid)
      continue;
    if (type == field_geometry) {
      const auto definition = field->GeometryDef();
      if (!definition)
        throw HostError("the shape field has no geometry definition", com::E_INVALIDARG);
      out.shape_type = definition->GeometryType();
      if (const auto reference = definition->SpatialReference())
        out.prj = reference->ExportToWkt();
      continue;
    }
    out.columns.push_back(to_dbf(definition_of(field.get())));
  }
  if (shapes && out.shape_type == geometry_null)
    throw HostError("a feature class needs a shape field", com::E_INVALIDARG);
  // A ".dbf" without a column cannot hold records.
  if (out.columns.empty())
    out.columns.push_back(to_dbf({"Id", field_integer, 0, 0, 0}));
  return out;
}

class Workspace final : public com::ComObject<HostWorkspace, HostFeatureWorkspace> {
public:
  explicit Workspace(std::string folder) : folder_(std::move(folder)) {}

  std::string PathName() override { return folder_; }
  // A removal or replacement of the set that a killed run decided is completed first, so that
  // the answer is about the set as it was decided. A record that cannot be completed leaves
  // the set counted as there: opening it names the record and the reason.
  bool Exists(const std::string& name) override {
    const auto base = without_extension(without_extension(name, ".shp"), ".dbf");
    try {
      files::finish_decided_replacement(fs::path(folder_) / (base + ".dbf"));
    } catch (const files::FileError&) {
      return true;
    }
    return any_exists_in_folder(folder_, {without_extension(name, ".shp") + ".shp",
                                          without_extension(name, ".dbf") + ".dbf"});
  }

  com::HRESULT OpenFeatureClass(const std::string& name,
                                com::ComPtr<HostFeatureClass>* out) override {
    return open(without_extension(name, ".shp"), true, out);
  }
  com::HRESULT OpenTable(const std::string& name, com::ComPtr<HostTable>* out) override {
    return open(without_extension(name, ".dbf"), false, out);
  }
  com::HRESULT CreateFeatureClass(const std::string& name, HostFields* fields, int,
                                  const std::string&, const std::string&,
                                  com::ComPtr<HostFeatureClass>* out) override {
    return create(without_extension(name, ".shp"), fields, true, out);
  }
  com::HRESULT CreateTable(const std::string& name, HostFields* fields, const std::string&,
                           com::ComPtr<HostTable>* out) override {
    return create(without_extension(name, ".dbf"), fields, false, out);
  }
  com::HRESULT ReplaceDataset(const std::string& from, const std::string& to) override {
    return guarded([&] {
      const bool shapes = exists_in_folder(folder_, without_extension(from, ".shp") + ".shp");
      Dataset::open(folder_, without_extension(from, shapes ? ".shp" : ".dbf"), shapes)
          .take_place_of(without_extension(to, shapes ? ".shp" : ".dbf"));
    });
  }

private:
  template <class I> com::HRESULT open(const std::string& name, bool shapes, com::ComPtr<I>* out) {
    if (!out)
      return com::E_POINTER;
    return guarded(
        [&] { *out = object_of(Dataset::open(folder_, name, shapes)).template as<I>(); });
  }

  template <class I>
  com::HRESULT create(const std::string& name, HostFields* fields, bool shapes,
                      com::ComPtr<I>* out) {
    if (!out)
      return com::E_POINTER;
    return guarded([&] {
      const auto d = describe(fields, shapes);
      *out = object_of(Dataset::create(folder_, name, shapes ? d.shape_type : geometry_null,
                                       d.columns, d.prj))
                 .template as<I>();
    });
  }

  com::ComPtr<HostTable> object_of(Dataset dataset) {
    return make_table_object(std::make_shared<const TableContext>(
        std::move(dataset), com::ComPtr<HostWorkspace>(static_cast<HostWorkspace*>(this))));
  }

  std::string folder_;
};

class WorkspaceFactory final : public com::ComObject<HostWorkspaceFactory> {
public:
  com::HRESULT OpenFromFile(const std::string& path, long,
                            com::ComPtr<HostWorkspace>* out) override {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = open_workspace(path); });
  }
  bool IsWorkspace(const std::string& path) override {
    std::error_code ec;
    return fs::is_directory(path, ec);
  }
};

} // namespace

com::ComPtr<HostWorkspace> open_workspace(const std::string& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec))
    throw HostError("there is no folder " + folder);
  return com::make<Workspace>(folder);
}

com::ComPtr<com::IUnknown> create_workspace_factory() {
  return com::make<WorkspaceFactory>().as<com::IUnknown>();
}

} // namespace host
