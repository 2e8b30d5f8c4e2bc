#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/query_filter.h"

namespace host {

struct HostWorkspace;
struct HostSelectionSet;

// A file-backed dataset (a shapefile or a standalone ".dbf").
struct HostDataset : com::IUnknown {
  COM_INTERFACE(HostDataset, com::IUnknown, "F2780FAB-0B88-4F56-85CA-4FEDAA69911B")
  // The file name without its extension, with its letter case on disk.
  virtual std::string Name() = 0;
  virtual com::ComPtr<HostWorkspace> Workspace() = 0;
  virtual bool CanDelete() = 0;
  // Deletes the files of the dataset (".shp", ".shx", ".dbf", ".prj", ".cpg" and index files).
  virtual com::HRESULT Delete() = 0;
};

// An attribute index definition: a name and the fields it covers.
struct HostIndex : com::IUnknown {
  COM_INTERFACE(HostIndex, com::IUnknown, "7CF1F83B-0E7D-4371-9294-8045B94195C4")
  virtual std::string Name() = 0;
  virtual com::ComPtr<HostFields> Fields() = 0;
  virtual bool IsUnique() = 0;
};

struct HostIndexEdit : HostIndex {
  COM_INTERFACE(HostIndexEdit, HostIndex, "EB0EE25A-A060-4787-B682-DE1FA0CABE20")
  virtual void SetName(const std::string& name) = 0;
  virtual void SetFields(HostFields* fields) = 0;
  virtual void SetIsUnique(bool unique) = 0;
};

// What tables and feature classes share: their fields. AddField and DeleteField rewrite the
// ".dbf" only (never the ".shp", nor its time); they fail for the object id and shape fields,
// for a name already present, and for deleting the last attribute field (a ".dbf" keeps one).
// A field added with a default value gets that value in every existing row; without one the
// rows hold no value (Empty).
struct HostClass : com::IUnknown {
  COM_INTERFACE(HostClass, com::IUnknown, "024F90FD-FE5E-4FEB-BCCA-C767119CDF65")
  virtual com::ComPtr<HostFields> Fields() = 0;
  // Index without regard to letter case; -1 when missing.
  virtual int FindField(const std::string& name) = 0;
  virtual com::HRESULT AddField(HostField* field) = 0;
  virtual com::HRESULT DeleteField(HostField* field) = 0;
  // Why the last AddField or DeleteField of this object failed, naming the file and the
  // reason (the table is then as it was); empty after one that succeeded.
  virtual std::string FieldChangeFailure() = 0;
  virtual bool HasOID() = 0;
  virtual std::string OIDFieldName() = 0;
  // Shapefile tables keep no attribute indexes of their own, so an index speeds up nothing
  // here: AddIndex checks that the class has every field of `index` (E_INVALIDARG otherwise)
  // and writes nothing.
  virtual com::HRESULT AddIndex(HostIndex* index) = 0;
};

struct HostObjectClass : HostClass {
  COM_INTERFACE(HostObjectClass, HostClass, "C3A6E0F2-A008-4019-826D-5D9A31A47C49")
  // For shapefiles the dataset name.
  virtual std::string AliasName() = 0;
};

// Rows by id and by filter. A null filter means every row. Failing calls: an invalid id
// (E_INVALIDARG), a where clause that does not parse (E_INVALIDARG), a file that cannot be read
// (E_FAIL).
struct HostTable : HostClass {
  COM_INTERFACE(HostTable, HostClass, "FC729B0E-0E5C-423E-9C46-40A632F989B8")
  virtual com::HRESULT RowCount(HostQueryFilter* filter, std::int32_t* count) = 0;
  virtual com::HRESULT GetRow(std::int32_t oid, com::ComPtr<HostRow>* out) = 0;
  virtual com::HRESULT CreateRowBuffer(com::ComPtr<HostRowBuffer>* out) = 0;
  // A new row appended at once, with empty values.
  virtual com::HRESULT CreateRow(com::ComPtr<HostRow>* out) = 0;
  // `recycling` is accepted for the callers' sake: every row is a new object.
  virtual com::HRESULT Search(HostQueryFilter* filter, bool recycling,
                              com::ComPtr<HostCursor>* out) = 0;
  virtual com::HRESULT Update(HostQueryFilter* filter, bool recycling,
                              com::ComPtr<HostCursor>* out) = 0;
  virtual com::HRESULT Insert(bool useBuffering, com::ComPtr<HostCursor>* out) = 0;
  virtual com::HRESULT DeleteSearchedRows(HostQueryFilter* filter) = 0;
  // The ids of the matching rows, in record order.
  virtual com::HRESULT Select(HostQueryFilter* filter, com::ComPtr<HostSelectionSet>* out) = 0;
};

// A shapefile as features. Feature id = 0-based record number. The shape comes out in the
// filter's output spatial reference when one is set.
struct HostFeatureClass : HostObjectClass {
  COM_INTERFACE(HostFeatureClass, HostObjectClass, "6AAD8373-D879-46B8-9CAD-7039B8D745BE")
  // HostGeometryType: 1 point, 2 multipoint, 3 polyline, 4 polygon.
  virtual int ShapeType() = 0;
  virtual std::string ShapeFieldName() = 0;
  // 1: simple features.
  virtual int FeatureType() = 0;
  virtual com::HRESULT FeatureCount(HostQueryFilter* filter, std::int32_t* count) = 0;
  virtual com::HRESULT GetFeature(std::int32_t oid, com::ComPtr<HostFeature>* out) = 0;
  virtual com::HRESULT CreateFeatureBuffer(com::ComPtr<HostFeatureBuffer>* out) = 0;
  // A new feature appended at once, with an empty shape and empty values.
  virtual com::HRESULT CreateFeature(com::ComPtr<HostFeature>* out) = 0;
  virtual com::HRESULT Search(HostQueryFilter* filter, bool recycling,
                              com::ComPtr<HostFeatureCursor>* out) = 0;
  virtual com::HRESULT Update(HostQueryFilter* filter, bool recycling,
                              com::ComPtr<HostFeatureCursor>* out) = 0;
  virtual com::HRESULT Insert(bool useBuffering, com::ComPtr<HostFeatureCursor>* out) = 0;
  // As HostTable's, so that callers holding the feature class need not ask for the table.
  virtual com::HRESULT DeleteSearchedRows(HostQueryFilter* filter) = 0;
  // The bounding box of all shapes, from the ".shp" header.
  virtual com::ComPtr<HostEnvelope> Extent() = 0;
};

// A set of row ids of one table, in the order they were added (a Select: record order).
struct HostSelectionSet : com::IUnknown {
  COM_INTERFACE(HostSelectionSet, com::IUnknown, "2EBB4758-C5B2-432D-8753-68ADBE61A8E3")
  virtual int Count() = 0;
  virtual std::vector<std::int32_t> IDs() = 0;
  // Adding an id already present changes nothing.
  virtual void Add(std::int32_t oid) = 0;
  virtual void Remove(std::int32_t oid) = 0;
  // The table the ids belong to.
  virtual com::ComPtr<HostTable> Target() = 0;
};

inline constexpr std::string_view IndexClass = "esricore.Index";

} // namespace host
