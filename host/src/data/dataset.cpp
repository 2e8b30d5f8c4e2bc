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
#include "data/replace_set.h"
#include "data/set_rewrite.h"
#include "data/shapelib_hooks.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"
#include "geometry/spatial_reference_objects.h"

namespace host {

namespace fs = std::filesystem;

namespace {

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

namespace {

// A removal or replacement of the set `name` that a killed run decided is completed before the
// set is looked at or made anew: its record would otherwise act on the new files.
void finish_earlier_set(const fs::path& folder, const std::string& name) {
  try {
    files::finish_replacement(folder / (name + ".dbf"));
  } catch (const files::FileError& error) {
    throw HostError::about_file(error.what());
  }
}

} // namespace

Dataset Dataset::open(const fs::path& folder, const std::string& name, bool shapes) {
  finish_earlier_set(folder, name);
  const auto file = find_in_folder(folder, name + (shapes ? ".shp" : ".dbf"));
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    throw HostError("there is no " + (folder / name).string() + (shapes ? ".shp" : ".dbf"));
  return Dataset(folder, file.stem().string(), shapes);
}

namespace {

// The files of a new set, made in place; a failure part-way deletes them (they did not exist
// before), so that nothing of a set stays under its name.
void make_files(const Dataset& dataset, int shape_type, const std::vector<DbfColumn>& columns,
                const std::string& prj, const fs::path& folder, const std::string& name) {
  // A failure kept from the writes of an earlier set (its files closed after its run had
  // failed already) is not this set's.
  take_write_failure();
  try {
    if (shape_type != geometry_null)
      ShpFile::create(dataset.shp_base(), shape_type);
    DbfFile::create(dataset.dbf_path(), columns);
    if (!prj.empty())
      write_text_file(dataset.prj_path(), prj);
    raise_write_failure();
  } catch (...) {
    take_write_failure();
    try {
      delete_scratch_files(folder, name);
    } catch (const HostError&) {
      // what cannot be deleted is the scratch set's, removed at its next making
    }
    throw;
  }
}

} // namespace

Dataset Dataset::create(const fs::path& folder, const std::string& name, int shape_type,
                        const std::vector<DbfColumn>& columns, const std::string& prj) {
  const bool shapes = shape_type != geometry_null;
  std::error_code ec;
  if (!fs::is_directory(folder, ec))
    throw HostError("there is no folder " + folder.string());
  finish_earlier_set(folder, name);
  if (exists_in_folder(folder, name + ".shp") || exists_in_folder(folder, name + ".dbf"))
    throw HostError((folder / name).string() + " exists already");
  // A scratch set the caller puts in place whole itself; any other is made under such a name
  // and then takes its place, so that a kill or a failure while it is made leaves the name
  // free, never a part of a set under it.
  if (is_scratch_name(name)) {
    Dataset dataset(folder, name, shapes);
    make_files(dataset, shape_type, columns, prj, folder, name);
    return dataset;
  }
  const std::string scratch = name + "~made";
  delete_scratch_files(folder, scratch); // what a killed making left
  Dataset made(folder, scratch, shapes);
  try {
    make_files(made, shape_type, columns, prj, folder, scratch);
    made.take_place_of(name);
  } catch (const HostError& failure) {
    try {
      delete_scratch_files(folder, scratch);
    } catch (const HostError&) {
      // the failure that ended the making is the one to tell; the scratch set goes at the
      // next making
    }
    if (!failure.is_about_file())
      throw;
    // The user knows the set by its name, never by the one it was made under.
    std::string told = failure.what();
    for (std::size_t at = 0; (at = told.find(scratch, at)) != std::string::npos; at += name.size())
      told.replace(at, scratch.size(), name);
    throw HostError::about_file(told);
  }
  return Dataset(folder, name, shapes);
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
  close_appending_writers(dbf_path());
  // The kept records are written straight into the temporaries that replace the set's files.
  try {
    const auto file = [&](const char* extension) {
      return shapes_ ? find_in_folder(folder_, name_ + extension).string() : std::string();
    };
    const SetRecords set({file(".shp"), file(".shx"), dbf_path()});
    std::vector<std::uint8_t> dropped(set.count(), 0);
    for (const int r : records)
      if (r >= 0 && std::size_t(r) < set.count())
        dropped[std::size_t(r)] = 1;
    rewrite_set(set, dropped);
  } catch (const files::FileError& error) {
    throw HostError::about_file(error.what());
  }
}

void Dataset::take_place_of(const std::string& name) const {
  finish_earlier_set(folder_, name);
  close_appending_writers(dbf_path());
  raise_write_failure(); // a write of this set that failed, found as its writers closed
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
    ReadBack set;
    set.dbf = find_in_folder(folder_, name + ".dbf");
    set.stale_indexes_beside = {target.string() + ".dbf"};
    if (shapes_) {
      set.shp = find_in_folder(folder_, name + ".shp");
      set.shx = find_in_folder(folder_, name + ".shx");
    } else {
      // A table taking the place of a shapefile: its shapes go with the record that decides it.
      for (const char* extension : {".shp", ".shx"})
        if (exists_in_folder(folder_, name + extension))
          set.dropped.push_back(find_in_folder(folder_, name + extension));
    }
    replace_after_read_back(written, set);
  } catch (const files::FileError& error) {
    throw HostError::about_file(as_the_user_knows(error.what(), written));
  } catch (const fs::filesystem_error& error) {
    throw HostError::about_file(error.path1().string() + ": " +
                                files::failure_reason(error.code().value()));
  }
  delete_scratch_files(folder_, name_);
}

} // namespace host
