#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace host {

// The file `name` in `folder` as win::find_entry_ignoring_case finds it; the exact path (not
// existing) when there is none.
std::filesystem::path find_in_folder(const std::filesystem::path& folder, const std::string& name);

bool exists_in_folder(const std::filesystem::path& folder, const std::string& name);

// Whether `folder` holds one of `names`, whatever its letter case, with one look at the folder's
// names however many are asked for.
bool any_exists_in_folder(const std::filesystem::path& folder,
                          const std::vector<std::string>& names);

// Whether `name` is a caller's scratch set: it carries a "~", which no output or layer of the
// user's does. Nothing recognises such a set as an output, and its maker deletes what a kill
// left of it before it makes it again.
bool is_scratch_name(const std::string& name);

// Deletes every file of dataset `name` in `folder` (".shp", ".shx", ".dbf", ".prj", ".cpg",
// ".sbn", ".sbx", ".qix", ".shp.xml", ...), whatever their letter case. Returns how many.
int delete_dataset_files(const std::filesystem::path& folder, const std::string& name);

// The same without the record, file by file, for a scratch set (is_scratch_name): it needs no
// new space, so that the clean-up of a write that failed on a full disk cannot fail for want
// of it.
void delete_scratch_files(const std::filesystem::path& folder, const std::string& name);

} // namespace host
