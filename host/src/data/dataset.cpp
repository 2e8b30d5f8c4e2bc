#include "data/dataset.h"

#include <algorithm>
#include <system_error>

#include "data/append_writer.h"
#include "data/folder_files.h"
#include "data/host_error.h"
#include "geometry/spatial_reference_objects.h"

namespace host {

namespace fs = std::filesystem;

Dataset Dataset::open(const fs::path& folder, const std::string& name, bool shapes) {
  const auto file = find_in_folder(folder, name + (shapes ? ".shp" : ".dbf"));
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    throw HostError("there is no " + (folder / name).string() + (shapes ? ".shp" : ".dbf"));
  return Dataset(folder, file.stem().string(), shapes);
}

Dataset Dataset::create(const fs::path& folder, const std::string& name, int shape_type,
                        const std::vector<DbfColumn>& columns, const std::string& prj) {
  const bool shapes = shape_type != geometry_null;
  std::error_code ec;
  if (!fs::is_directory(folder, ec))
    throw HostError("there is no folder " + folder.string());
  if (exists_in_folder(folder, name + ".shp") || exists_in_folder(folder, name + ".dbf"))
    throw HostError((folder / name).string() + " exists already");
  Dataset dataset(folder, name, shapes);
  if (shapes)
    ShpFile::create(dataset.shp_base(), shape_type);
  DbfFile::create(dataset.dbf_path(), columns);
  if (!prj.empty())
    write_text_file(dataset.prj_path(), prj);
  return dataset;
}

std::string Dataset::shp_base() const {
  return (folder_ / name_).string();
}

std::string Dataset::dbf_path() const {
  return find_in_folder(folder_, name_ + ".dbf").string();
}

std::string Dataset::prj_path() const {
  return find_in_folder(folder_, name_ + ".prj").string();
}

DbfFile Dataset::open_dbf(bool writable) const {
  close_appending_writers(dbf_path());
  return DbfFile(dbf_path(), writable);
}

ShpFile Dataset::open_shp(bool writable) const {
  if (!shapes_)
    throw HostError(name_ + " is a table without shapes");
  close_appending_writers(dbf_path());
  return ShpFile(shp_base(), writable);
}

int Dataset::record_count() const {
  return open_dbf(false).record_count();
}

com::ComPtr<HostSpatialReference> Dataset::spatial_reference() const {
  return spatial_reference_of_prj(prj_path());
}

void Dataset::delete_records(std::vector<int> records) const {
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  if (records.empty())
    return;
  const auto doomed = [&](int r) { return std::binary_search(records.begin(), records.end(), r); };

  // Written beside the dataset under a temporary name, then moved over its files.
  const std::string temp_name = name_ + "~rewrite";
  const fs::path temp_base = folder_ / temp_name;
  delete_dataset_files(folder_, temp_name);
  {
    const auto dbf = open_dbf(false);
    auto copy = dbf.clone_empty(temp_base.string() + ".dbf");
    for (int r = 0; r < dbf.record_count(); ++r)
      if (!doomed(r))
        dbf.copy_record_to(r, copy);
  }
  if (shapes_) {
    const auto shp = open_shp(false);
    auto copy = ShpFile::create(temp_base.string(), shp.shape_type());
    for (int r = 0; r < shp.record_count(); ++r)
      if (!doomed(r))
        copy.write(-1, shp.read(r));
  }
  const auto replace = [&](const std::string& ext) {
    const auto from = temp_base.string() + ext;
    if (fs::exists(from))
      fs::rename(from, find_in_folder(folder_, name_ + ext));
  };
  replace(".dbf");
  if (shapes_) {
    replace(".shp");
    replace(".shx");
  }
  delete_dataset_files(folder_, temp_name);
}

} // namespace host
