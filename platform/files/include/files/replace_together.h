#pragma once

// Replacing or removing the files of one set (a shapefile's ".shp", ".shx" and ".dbf") so that a
// failure or a kill at any moment leaves all the old files or all the new ones (or none, for a
// removal), never some of each.
//
// One rename replaces one file atomically, but a set takes a rename per file, and a crash
// between two of them would leave a new ".shp" beside an old ".dbf". So once every new file is
// whole on disk under its temporary name, a record naming the set ("<base>.replacing", itself
// written through a temporary) is put beside them: from that moment the new set is decided.
// The record names the files put in place and, after an empty line, the files of the old set
// that go (all of them when the set is deleted):
//
//   corvane replacement
//   BatchRoute.dbf
//
//   BatchRoute.shp
//   BatchRoute.shx
//
// The renames and removals follow, then the record is removed. Whoever opens a file of a set
// first calls finish_replacement(), which completes what a record names, or with no record
// deletes the temporaries a killed run left, so that the old set stays.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/replace_file.h"

namespace files {

// "<folder>/<name without its extension>.replacing": the record of the set `file` belongs to.
std::filesystem::path replacement_record(const std::filesystem::path& file);

// Whether `name` is one of the files a set `set` keeps (its ".shp", ".shx", ".dbf", ".prj",
// ".cpg", indexes and ".shp.xml", or the temporary of one), letter case aside. A record acts on
// these files and no other.
bool is_file_of_set(const std::string& set, const std::string& name);

// Replaces the targets of `files`, written and all in one folder, together, and removes the
// files `removed` of the same folder with them (files of the old set the new one has no copy
// of). Raises FileError: before the record is in place the targets are untouched and the
// temporaries gone; after it, the message says the new files take their place when the set is
// next opened. A scratch set takes the same steps, record included, without syncing any of them.
void replace_together(std::vector<std::unique_ptr<ReplacingFile>>& files,
                      const std::vector<std::filesystem::path>& removed = {},
                      Durability durability = Durability::synced);

// Removes the files `removed` of the set whose record is replacement_record(`set_file`), all in
// its folder, together: a kill part-way is completed by the next finish_replacement of the set.
// Raises FileError; after the record is in place the message says the files go when the set is
// next opened. On a disk too full for the record (a removal is how a user frees one) the files
// go one by one without it, the table and the shapes first.
void remove_together(const std::filesystem::path& set_file,
                     const std::vector<std::filesystem::path>& removed);

// Deletes the spatial and attribute indexes beside `file` (".sbn", ".sbx", ".qix", ".atx" in
// either letter case): a set whose records are replaced makes them point at the wrong ones. Run
// before the new set is decided: an index left beside new files would send other tools to the
// wrong records, while one lost beside the old set is only rebuilt. Quiet when there is none.
void remove_stale_indexes(const std::filesystem::path& file) noexcept;

// Run before trusting `file`: finishes a replacement or removal of its set that a killed run
// decided, then deletes the stale temporaries of `file` and of the set's ".shp", ".shx", ".dbf",
// ".cpg" and ".prj". Raises DamagedRecord when the record cannot be read as one or names a file
// that is not of its set (nothing is then renamed or removed on its word), FileError when a
// rename or removal fails.
//
// It looks for the record and the temporaries in the folder's names (files::folder_names), so
// that with nothing to finish it costs a call or two, not a probe of every name.
void finish_replacement(const std::filesystem::path& file);

// finish_replacement when a record of the set of `file` is in place, and nothing else: one call
// when there is none. For the opens that follow one another while a set is read or written (a
// file opened for every record); the temporaries without a record are the litter of a run that
// decided nothing, and go at the set's next finish_replacement.
void finish_decided_replacement(const std::filesystem::path& file);

} // namespace files
