#include "files/replace_together.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>

#include "file_system.h"
#include "files/file_error.h"
#include "files/folder_names.h"

namespace files {

namespace fs = std::filesystem;

namespace {

constexpr const char* record_mark = "corvane replacement\n";
constexpr const char* record_extension = ".replacing";
// The files a set may be replaced with.
constexpr const char* set_extensions[] = {".shp", ".shx", ".dbf", ".cpg", ".prj"};
// Every file a set keeps beside its shapes and table (its indexes and metadata included): what a
// removal of the set takes, and so all a record may name.
constexpr const char* own_extensions[] = {".shp", ".shx", ".dbf", ".prj",    ".cpg", ".sbn",
                                          ".sbx", ".qix", ".fbn", ".fbx",    ".ain", ".aih",
                                          ".atx", ".ixs", ".mxs", ".shp.xml"};
// A record names a few files; anything longer is not one.
constexpr std::size_t largest_record = 4096;

struct Record {
  std::vector<std::string> replaced; // renamed from their temporaries
  std::vector<std::string> removed;
};

std::string record_text(const std::vector<std::unique_ptr<ReplacingFile>>& files,
                        const std::vector<fs::path>& removed) {
  std::string text = record_mark;
  for (const auto& file : files)
    text += file->target().filename().string() + "\n";
  if (!removed.empty()) {
    text += "\n";
    for (const auto& file : removed)
      text += file.filename().string() + "\n";
  }
  return text;
}

bool plain_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

std::string lower(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// "<set>.replacing" acts on the set whose name it carries.
std::string set_of_record(const fs::path& record) {
  const std::string name = record.filename().string();
  return name.substr(0, name.size() - std::strlen(record_extension));
}

// The names a record lists, each checked to be a file of the record's own set.
Record read_record(const fs::path& record) {
  std::ifstream in(record, std::ios::binary);
  if (!in)
    throw DamagedRecord(record, std::string("it cannot be opened (") + std::strerror(errno) + ")");
  std::string text(largest_record + 1, '\0');
  errno = 0;
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(std::size_t(in.gcount()));
  if (in.bad())
    throw DamagedRecord(record, std::string("it cannot be read (") +
                                    std::strerror(errno ? errno : EIO) + ")");
  const std::string mark = record_mark;
  if (text.size() > largest_record || text.compare(0, mark.size(), mark) != 0 ||
      text.back() != '\n')
    throw DamagedRecord(record, "it is not a record of files being replaced");
  const std::string set = set_of_record(record);
  Record names;
  auto* list = &names.replaced;
  for (std::size_t at = mark.size(); at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::string name = text.substr(at, end - at);
    at = end + 1;
    if (name.empty() && list == &names.replaced) {
      list = &names.removed; // the one empty line: the removals follow
      continue;
    }
    if (!plain_name(name))
      throw DamagedRecord(record, "it names \"" + name + "\", which is not a file in its folder");
    if (!is_file_of_set(set, name))
      throw DamagedRecord(record,
                          "it names \"" + name + "\", which is not a file of the set " + set);
    list->push_back(name);
  }
  if (names.replaced.empty() && names.removed.empty())
    throw DamagedRecord(record, "it names no file");
  return names;
}

bool listed(const std::vector<std::string>& names, const fs::path& file) {
  return std::ranges::find(names, file.filename().string()) != names.end();
}

void remove_listed(const std::vector<std::string>& names, const fs::path& file) {
  if (!listed(names, file))
    return;
  std::error_code ignored;
  fs::remove(file, ignored);
}

// Completes what `record` decided: its renames, then its removals, then the record goes.
void complete(const fs::path& record, Durability durability) {
  const fs::path folder = record.parent_path();
  const Record names = read_record(record);
  std::error_code error;
  for (const std::string& name : names.replaced) {
    const fs::path target = folder / name;
    const fs::path temporary = temporary_path(target);
    if (!fs::exists(temporary, error))
      continue; // renamed before the kill
    if (testing::before_step)
      testing::before_step(testing::Step::rename, target);
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
      throw FileError(target, "cannot be replaced by " + temporary.filename().string() + ": " +
                                  failure_reason(errno));
  }
  for (const std::string& name : names.removed) {
    const fs::path doomed = folder / name;
    if (testing::before_step)
      testing::before_step(testing::Step::remove, doomed);
    if (!fs::remove(doomed, error) && error)
      throw FileError(doomed, "cannot be removed: " + failure_reason(error.value()));
  }
  if (durability == Durability::synced)
    detail::sync_folder(record);
  if (testing::before_step)
    testing::before_step(testing::Step::forget_record, record);
  if (!fs::remove(record, error) && error)
    throw FileError(record, "cannot be removed: " + failure_reason(error.value()));
  if (durability == Durability::synced)
    detail::sync_folder(record);
}

// Puts the record `text` in place beside the set, then completes it. `decided` runs once the
// record is in place.
void decide(const fs::path& record, const std::string& text, const std::function<void()>& decided,
            const std::string& consequence, Durability durability) {
  try {
    ReplacingFile writing(record);
    writing.write_at(0, text.data(), text.size());
    writing.commit(durability);
  } catch (const FileError& error) {
    // The user knows the set, not its record: the set is what stays as it was.
    throw FileError(record.parent_path() / set_of_record(record),
                    "cannot be changed, and stays as it was: " +
                        failure_reason(error.code() ? error.code() : EIO),
                    error.code());
  }
  decided();
  try {
    complete(record, durability);
  } catch (const std::exception& error) {
    throw FileError(record, consequence + " (" + error.what() +
                                "); that is done when the set is next opened");
  }
}

// What a record is written with is what it is read with: only the files of its own set.
void require_in_set(const fs::path& file, const fs::path& record) {
  if (file.parent_path() != record.parent_path())
    throw FileError(file, "is not in the folder of " + record.string());
  if (!is_file_of_set(set_of_record(record), file.filename().string()))
    throw FileError(file, "is not a file of the set " + set_of_record(record));
}

// The files `removed` deleted one by one: the ".dbf" and ".shp" first, then the rest. Raises
// FileError naming the first that cannot be deleted.
void remove_without_record(std::vector<fs::path> removed) {
  const auto rank = [](const fs::path& file) {
    const std::string extension = lower(file.extension().string());
    return extension == ".dbf" ? 0 : extension == ".shp" ? 1 : 2;
  };
  std::ranges::stable_sort(removed, {}, rank);
  for (const auto& doomed : removed) {
    if (testing::before_step)
      testing::before_step(testing::Step::remove, doomed);
    std::error_code error;
    if (!fs::remove(doomed, error) && error)
      throw FileError(doomed, "cannot be removed: " + failure_reason(error.value()), error.value());
  }
}

} // namespace

bool is_file_of_set(const std::string& set, const std::string& name) {
  std::string file = lower(name);
  const std::string base = lower(set) + ".";
  if (!file.starts_with(base))
    return false;
  if (file.ends_with(".tmp"))
    file.resize(file.size() - 4);
  const std::string extension = file.substr(base.size() - 1);
  return std::ranges::any_of(own_extensions, [&](const char* own) { return extension == own; });
}

fs::path replacement_record(const fs::path& file) {
  fs::path record = file.parent_path() / file.stem();
  record += record_extension;
  return record;
}

void replace_together(std::vector<std::unique_ptr<ReplacingFile>>& files,
                      const std::vector<fs::path>& removed, Durability durability) {
  if (files.empty())
    return;
  const fs::path record = replacement_record(files.front()->target());
  for (const auto& file : files) {
    require_in_set(file->target(), record);
    file->seal(durability);
  }
  for (const auto& file : removed)
    require_in_set(file, record);
  // Once the record is in place the temporaries are the set: a failure from there on must
  // leave them for the next open to finish.
  decide(
      record, record_text(files, removed),
      [&] {
        for (const auto& file : files)
          file->release();
      },
      "the new files are whole but not all in place", durability);
}

void remove_together(const fs::path& set_file, const std::vector<fs::path>& removed) {
  if (removed.empty())
    return;
  const fs::path record = replacement_record(set_file);
  for (const auto& file : removed)
    require_in_set(file, record);
  try {
    decide(
        record, record_text({}, removed), [] {}, "the files are not all removed",
        Durability::synced);
  } catch (const FileError& error) {
    // A disk too full for the record is what a removal frees: the files go one by one, the
    // table and the shapes first, so that what a kill part-way leaves is no whole set.
    if (error.code() != ENOSPC && error.code() != EDQUOT)
      throw;
    remove_without_record(removed);
  }
}

void remove_stale_indexes(const fs::path& file) noexcept {
  const fs::path base = fs::path(file).replace_extension();
  for (const char* extension : {".sbn", ".sbx", ".qix", ".atx", ".SBN", ".SBX", ".QIX", ".ATX"}) {
    std::error_code ignored;
    fs::remove(base.string() + extension, ignored);
  }
}

void finish_replacement(const fs::path& file) {
  const fs::path real = replaced_file(file);
  const fs::path record = replacement_record(real);
  const auto kept = folder_names(record.parent_path());
  const auto& names = *kept;
  // The names may be a listing of a moment ago: a record is made sure of before it is followed.
  std::error_code error;
  const bool decided = listed(names, record) && fs::exists(fs::symlink_status(record, error));
  // A record that never took its name decided nothing.
  const bool stale = listed(names, temporary_path(record)) || listed(names, temporary_path(real)) ||
                     std::ranges::any_of(set_extensions, [&](const char* extension) {
                       fs::path companion = record;
                       return listed(names, temporary_path(companion.replace_extension(extension)));
                     });
  if (!decided && !stale)
    return;
  remove_listed(names, temporary_path(record));
  if (decided)
    complete(record, Durability::synced);
  // Without a record nothing was decided: the temporaries of the set's files that a killed run
  // left (not only the one of `file`) go, and the old set stays as it was.
  remove_listed(names, temporary_path(real));
  for (const char* extension : set_extensions) {
    fs::path companion = record;
    remove_listed(names, temporary_path(companion.replace_extension(extension)));
  }
}

void finish_decided_replacement(const fs::path& file) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(replacement_record(replaced_file(file)), error)))
    finish_replacement(file);
}

} // namespace files
