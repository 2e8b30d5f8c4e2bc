#include "data/folder_files.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "data/host_error.h"
#include "data/letter_case.h"
#include "files/file_error.h"
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

int delete_dataset_files(const fs::path& folder, const std::string& name) {
  const auto base = lower_case(name);
  std::vector<fs::path> doomed;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const auto file = lower_case(entry.path().filename().string());
    // "name.ext" and "name.shp.xml", but not "name2.shp" nor "name.other.shp".
    if (file.size() <= base.size() + 1 || file.compare(0, base.size(), base) != 0 ||
        file[base.size()] != '.')
      continue;
    const auto ext = file.substr(base.size());
    static const std::vector<std::string> known{".shp", ".shx", ".dbf", ".prj",    ".cpg", ".sbn",
                                                ".sbx", ".qix", ".fbn", ".fbx",    ".ain", ".aih",
                                                ".atx", ".ixs", ".mxs", ".shp.xml"};
    if (std::find(known.begin(), known.end(), ext) != known.end())
      doomed.push_back(entry.path());
  }
  // Through a record, so that a kill part-way never leaves a ".shp" without its ".dbf": the
  // next open of the set removes the rest.
  try {
    files::remove_together(folder / (name + ".shp"), doomed);
  } catch (const files::FileError& error) {
    throw HostError(error.what());
  }
  return static_cast<int>(doomed.size());
}

} // namespace host
