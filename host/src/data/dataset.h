#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "com/unknown.h"
#include "data/dbf_file.h"
#include "data/shp_file.h"
#include "host/spatial_reference.h"

namespace host {

// The files of one shapefile (shapes = true) or standalone ".dbf" table in a folder. Every
// call opens the files anew, so what another component wrote before is always seen.
class Dataset {
public:
  // Finds "<name>.shp" (or ".dbf") without regard to letter case (exact name first).
  // HostError when it is missing.
  static Dataset open(const std::filesystem::path& folder, const std::string& name, bool shapes);
  // New files (HostError when they exist): a ".shp"/".shx" of `shape_type` unless it is
  // geometry_null, a ".dbf" with `columns`, and `prj` as "<name>.prj" when it is not empty.
  static Dataset create(const std::filesystem::path& folder, const std::string& name,
                        int shape_type, const std::vector<DbfColumn>& columns,
                        const std::string& prj);

  const std::filesystem::path& folder() const { return folder_; }
  // The name as the files on disk have it.
  const std::string& name() const { return name_; }
  bool has_shapes() const { return shapes_; }
  std::string dbf_path() const;
  std::string prj_path() const;
  // The ".shp" path without its extension.
  std::string shp_base() const;

  // Opening the files first has every writer appending to them close its own (see
  // AppendWriter), so that what they appended is read.
  DbfFile open_dbf(bool writable) const;
  ShpFile open_shp(bool writable) const;
  int record_count() const;
  com::ComPtr<HostSpatialReference> spatial_reference() const;

  // Removes the given records from every file in one rewrite; later records move up.
  void delete_records(std::vector<int> records) const;

  // This dataset's files replace those of dataset `name` in the same folder together (see
  // HostFeatureWorkspace::ReplaceDataset), after the same read-back checks as a rewrite; then
  // this dataset's files are deleted one by one: they are a copy, and a kill may leave some.
  void take_place_of(const std::string& name) const;

private:
  Dataset(std::filesystem::path folder, std::string name, bool shapes)
      : folder_(std::move(folder)), name_(std::move(name)), shapes_(shapes) {}

  std::filesystem::path folder_;
  std::string name_;
  bool shapes_;
};

} // namespace host
