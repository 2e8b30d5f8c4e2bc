#include "data/dataset.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <memory>
#include <system_error>
#include <utility>

#include "data/append_writer.h"
#include "data/folder_files.h"
#include "data/host_error.h"
#include "files/dbf_header.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"
#include "files/shape_index.h"
#include "geometry/spatial_reference_objects.h"

namespace host {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t shx_header_bytes = 100, shx_entry_bytes = 8;

// Files a rewrite builds beside a dataset, gone again however the rewrite ends.
struct ScratchDataset {
  ScratchDataset(fs::path folder, std::string scratch_name)
      : folder(std::move(folder)), name(std::move(scratch_name)) {
    delete_dataset_files(this->folder, name);
  }
  ~ScratchDataset() {
    try {
      delete_dataset_files(folder, name);
    } catch (const HostError&) {
      // Only litter beside the dataset: the next rewrite deletes it first.
    }
  }
  ScratchDataset(const ScratchDataset&) = delete;
  ScratchDataset& operator=(const ScratchDataset&) = delete;
  fs::path folder;
  std::string name;
};

// A failed read-back names the files as the user knows them: each temporary in `what` becomes
// the file it was to replace.
std::string as_the_user_knows(std::string what,
                              const std::vector<std::unique_ptr<files::ReplacingFile>>& written) {
  for (const auto& file : written) {
    const std::string temporary = files::temporary_path(file->target()).string();
    for (auto at = what.find(temporary); at != std::string::npos; at = what.find(temporary, at))
      what.replace(at, temporary.size(), file->target().string());
  }
  return what;
}

void copy_file_into(const std::string& path, const files::ReplacingFile& into) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError("cannot open " + path);
  std::vector<char> chunk(1 << 20);
  std::uint64_t offset = 0;
  while (in) {
    in.read(chunk.data(), std::streamsize(chunk.size()));
    const auto got = std::size_t(in.gcount());
    into.write_at(offset, chunk.data(), got);
    offset += got;
  }
  if (in.bad())
    throw HostError("cannot read " + path);
}

} // namespace

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

  // shapelib writes the kept records into scratch files beside the dataset; their bytes then
  // become the temporaries of the set, which replace the dataset's files together.
  const ScratchDataset scratch_files(folder_, name_ + "~rewrite");
  const fs::path scratch = folder_ / scratch_files.name;
  int kept = 0;
  {
    const auto dbf = open_dbf(false);
    auto copy = dbf.clone_empty(scratch.string() + ".dbf");
    for (int r = 0; r < dbf.record_count(); ++r)
      if (!doomed(r)) {
        dbf.copy_record_to(r, copy);
        ++kept;
      }
  }
  if (shapes_) {
    const auto shp = open_shp(false);
    auto copy = ShpFile::create(scratch.string(), shp.shape_type());
    for (int r = 0; r < shp.record_count(); ++r)
      if (!doomed(r))
        copy.write(-1, shp.read(r));
  }
  std::vector<std::unique_ptr<files::ReplacingFile>> written;
  try {
    const auto take = [&](const std::string& extension) {
      written.push_back(
          std::make_unique<files::ReplacingFile>(find_in_folder(folder_, name_ + extension)));
      copy_file_into(scratch.string() + extension, *written.back());
    };
    take(".dbf");
    if (shapes_) {
      take(".shp");
      take(".shx");
    }
    // Read back through the same checks every reader makes before it trusts a file.
    const fs::path dbf = files::temporary_path(written[0]->target());
    if (files::read_dbf_header(dbf).record_count != std::uint32_t(kept))
      throw HostError(dbf_path() + ": the rewritten table lost records");
    if (shapes_) {
      const fs::path shx = files::temporary_path(written[2]->target());
      files::check_shape_index(files::temporary_path(written[1]->target()), shx);
      if (fs::file_size(shx) != shx_header_bytes + shx_entry_bytes * std::uintmax_t(kept))
        throw HostError(shp_base() + ".shp: the rewritten shapes do not match the table");
    }
    files::remove_stale_indexes(dbf_path());
    files::replace_together(written);
  } catch (const files::FileError& error) {
    throw HostError(as_the_user_knows(error.what(), written));
  }
}

void Dataset::take_place_of(const std::string& name) const {
  close_appending_writers(dbf_path());
  const fs::path target = folder_ / name;
  close_appending_writers(find_in_folder(folder_, name + ".dbf").string());
  std::vector<std::unique_ptr<files::ReplacingFile>> written;
  try {
    const auto take = [&](const std::string& extension) {
      const auto own = find_in_folder(folder_, name_ + extension);
      std::error_code ec;
      if (!fs::exists(own, ec))
        return;
      written.push_back(
          std::make_unique<files::ReplacingFile>(find_in_folder(folder_, name + extension)));
      copy_file_into(own.string(), *written.back());
    };
    for (const char* extension : {".shp", ".shx", ".dbf", ".cpg"})
      take(extension);
    // A projection the caller put in place (copied byte for byte) is the one the set keeps.
    if (!exists_in_folder(folder_, name + ".prj"))
      take(".prj");
    // Read back through the same checks every reader makes before it trusts a file.
    const auto temporary = [&](const char* extension) {
      return files::temporary_path(files::replaced_file(find_in_folder(folder_, name + extension)));
    };
    files::read_dbf_header(temporary(".dbf"));
    if (shapes_)
      files::check_shape_index(temporary(".shp"), temporary(".shx"));
    else
      for (const char* extension : {".shp", ".shx"})
        fs::remove(find_in_folder(folder_, name + extension));
    files::remove_stale_indexes(target.string() + ".dbf");
    files::replace_together(written);
  } catch (const files::FileError& error) {
    throw HostError(as_the_user_knows(error.what(), written));
  } catch (const fs::filesystem_error& error) {
    throw HostError(error.what());
  }
  delete_dataset_files(folder_, name_);
}

} // namespace host
