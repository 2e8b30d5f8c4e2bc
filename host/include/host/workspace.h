#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/fields.h"
#include "host/table.h"

namespace host {

// A folder of shapefiles and ".dbf" tables. Dataset names are found without regard to letter
// case when no file has the exact name (the exact name wins). Every open reads the files
// again: nothing is cached between calls.
struct HostWorkspace : com::IUnknown {
  COM_INTERFACE(HostWorkspace, com::IUnknown, "3D33199F-C004-4568-B5BA-767DD5C05772")
  // The folder, as given to OpenFromFile.
  virtual std::string PathName() = 0;
  // True when the folder holds a dataset of that name (".shp" for feature classes, ".dbf").
  virtual bool Exists(const std::string& name) = 0;
};

struct HostFeatureWorkspace : com::IUnknown {
  COM_INTERFACE(HostFeatureWorkspace, com::IUnknown, "E70674C7-DC62-4CF9-AD15-2701896AA3CD")
  // Fails (E_FAIL) when there is no such shapefile or it cannot be read.
  virtual com::HRESULT OpenFeatureClass(const std::string& name,
                                        com::ComPtr<HostFeatureClass>* out) = 0;
  // A ".dbf" alone, or the attribute table of a shapefile.
  virtual com::HRESULT OpenTable(const std::string& name, com::ComPtr<HostTable>* out) = 0;
  // New shapefile `name` with the given fields: the shape field (named `shapeFieldName`) gives
  // the shape type and the coordinate system, written as a ".prj" beside it when there is one
  // (an existing ".prj" is never deleted); object id fields are not stored. Fails when the
  // shapefile exists, when no shape field is given, or when a field cannot be stored.
  virtual com::HRESULT CreateFeatureClass(const std::string& name, HostFields* fields,
                                          int featureType, const std::string& shapeFieldName,
                                          const std::string& configKeyword,
                                          com::ComPtr<HostFeatureClass>* out) = 0;
  // Dataset `from` takes the place of dataset `to` of the folder, whole: its files replace those
  // of `to` together (files::replace_together), so a failure or a kill leaves the old `to` or
  // the new one, never some of each; `to`'s indexes and any lines the new set has not are
  // deleted with the decision, its ".prj" is kept (`from`'s is taken only when `to` has none),
  // and `from` is deleted file by file (a kill then may leave some of its files, a copy).
  // Fails when `from` cannot be read; the last error then says why.
  virtual com::HRESULT ReplaceDataset(const std::string& from, const std::string& to) = 0;
  // New standalone ".dbf" table.
  virtual com::HRESULT CreateTable(const std::string& name, HostFields* fields,
                                   const std::string& configKeyword,
                                   com::ComPtr<HostTable>* out) = 0;
};

// "esricore.ShapeFileWorkspaceFactory.1": opens a folder as a workspace. OpenFromFile fails
// (E_FAIL) when the folder does not exist. `window` is accepted for the callers' sake.
struct HostWorkspaceFactory : com::IUnknown {
  COM_INTERFACE(HostWorkspaceFactory, com::IUnknown, "400696AC-AECF-440A-AE38-5CD71F9CC494")
  virtual com::HRESULT OpenFromFile(const std::string& path, long window,
                                    com::ComPtr<HostWorkspace>* out) = 0;
  virtual bool IsWorkspace(const std::string& path) = 0;
};

// Names of datasets not yet opened or created: an output description.
struct HostWorkspaceName : com::IUnknown {
  COM_INTERFACE(HostWorkspaceName, com::IUnknown, "03DA3A19-6372-40B1-8396-1A90C8253F5C")
  virtual std::string WorkspaceFactoryProgID() = 0;
  virtual void SetWorkspaceFactoryProgID(const std::string& progId) = 0;
  virtual std::string PathName() = 0;
  virtual void SetPathName(const std::string& path) = 0;
};

struct HostDatasetName : com::IUnknown {
  COM_INTERFACE(HostDatasetName, com::IUnknown, "05364FE2-46B7-4EE1-B640-8339EC5337FB")
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual com::ComPtr<HostWorkspaceName> WorkspaceName() = 0;
  virtual void SetWorkspaceName(HostWorkspaceName* name) = 0;
};

struct HostFeatureClassName : HostDatasetName {
  COM_INTERFACE(HostFeatureClassName, HostDatasetName, "BDA2D96E-1E36-41A7-92DE-FC8D862AD666")
  virtual int FeatureType() = 0;
  virtual void SetFeatureType(int type) = 0;
  virtual std::string ShapeFieldName() = 0;
  virtual void SetShapeFieldName(const std::string& name) = 0;
  virtual int ShapeType() = 0;
  virtual void SetShapeType(int type) = 0;
};

inline constexpr std::string_view ShapefileWorkspaceFactoryClass =
    "esricore.ShapeFileWorkspaceFactory.1";
inline constexpr std::string_view WorkspaceNameClass = "esricore.WorkspaceName";
inline constexpr std::string_view FeatureClassNameClass = "esricore.FeatureClassName";

} // namespace host
