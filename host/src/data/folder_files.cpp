#include "data/folder_files.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "com/letter_case.h"
#include "data/host_error.h"
#include "data/letter_case.h"
#include "files/file_error.h"
#include "files/folder_names.h"
#include "files/replace_together.h"
#include "win/paths.h"

namespace host {

namespace fs = std::filesystem;

fs::path find_in_folder(const fs::path& folder, const std::string& name) {
  return win::find_entry_ignoring_case(folder, name).value_or(folder / name);
}

bool exists_in_folder(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  return fs::exists(find_in_folder(folder, name), ec);
}

bool any_exists_in_folder(const fs::path& folder, const std::vector<std::string>& names) {
  std::error_code ec;
  for (const auto& name : names)
    if (fs::exists(fs::symlink_status(folder / name, ec)))
      return true;
  const auto entries = files::folder_names(folder);
  return std::ranges::any_of(*entries, [&](const std::string& entry) {
    return std::ranges::any_of(
        names, [&](const std::string& name) { return com::equal_ignoring_case(entry, name); });
  });
}

std::vector<fs::path> dataset_files(const fs::path& folder, const std::string& name) {
  std::vector<fs::path> files;
  std::error_code ec;
  // Listed afresh: what is deleted must be all of the set.
  for (const auto& listed : fs::directory_iterator(folder, ec)) {
    const auto entry = listed.path().filename().string();
    // "name.ext" and "name.shp.xml", but not "name2.shp" nor "name.other.shp".
    if (files::is_file_of_set(name, entry) && !lower_case(entry).ends_with(".tmp"))
      files.push_back(folder / entry);
  }
  return files;
}

bool is_scratch_name(const std::string& name) {
  return name.find('~') != std::string::npos;
}

int delete_dataset_files(const fs::path& folder, const std::string& name) {
  const auto doomed = dataset_files(folder, name);
  // Through a record, so that a kill part-way never leaves a ".shp" without its ".dbf": the
  // next open of the set removes the rest.
  try {
    files::remove_together(folder / (name + ".shp"), doomed);
  } catch (const files::FileError& error) {
    throw HostError::about_file(error.what());
  }
  return static_cast<int>(doomed.size());
}

void delete_scratch_files(const fs::path& folder, const std::string& name) {
  for (const auto& file : dataset_files(folder, name)) {
    std::error_code ec;
    if (!fs::remove(file, ec) && ec)
      throw HostError::about_file(file.string() +
                                  ": cannot be deleted: " + files::failure_reason(ec.value()));
  }
}

} // namespace host
