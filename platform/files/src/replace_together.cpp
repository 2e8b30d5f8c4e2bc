#include "files/replace_together.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <system_error>

#include "file_system.h"
#include "files/file_error.h"

namespace files {

namespace fs = std::filesystem;

namespace {

constexpr const char* record_mark = "corvane replacement\n";
// The files a set may be replaced with.
constexpr const char* set_extensions[] = {".shp", ".shx", ".dbf", ".cpg", ".prj"};
// A record names a few files; anything longer is not one.
constexpr std::size_t largest_record = 4096;

std::string record_text(const std::vector<std::unique_ptr<ReplacingFile>>& files) {
  std::string text = record_mark;
  for (const auto& file : files)
    text += file->target().filename().string() + "\n";
  return text;
}

bool plain_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

// The names a record lists, each checked to be a file of the record's own folder.
std::vector<std::string> read_record(const fs::path& record) {
  std::ifstream in(record, std::ios::binary);
  if (!in)
    throw FileError(record, "cannot be opened (" + std::string(std::strerror(errno)) + ")");
  std::string text(largest_record + 1, '\0');
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(std::size_t(in.gcount()));
  if (in.bad())
    throw FileError(record, "cannot be read");
  const std::string mark = record_mark;
  if (text.size() > largest_record || text.compare(0, mark.size(), mark) != 0 ||
      text.back() != '\n')
    throw FileError(record, "is not a record of files being replaced");
  std::vector<std::string> names;
  for (std::size_t at = mark.size(); at < text.size();) {
    const std::size_t end = text.find('\n', at);
    names.push_back(text.substr(at, end - at));
    if (!plain_name(names.back()))
      throw FileError(record, "names \"" + names.back() + "\", which is not a file in its folder");
    at = end + 1;
  }
  if (names.empty())
    throw FileError(record, "names no file");
  return names;
}

} // namespace

fs::path replacement_record(const fs::path& file) {
  fs::path record = file.parent_path() / file.stem();
  record += ".replacing";
  return record;
}

void replace_together(std::vector<std::unique_ptr<ReplacingFile>>& files) {
  if (files.empty())
    return;
  const fs::path record = replacement_record(files.front()->target());
  for (const auto& file : files) {
    if (file->target().parent_path() != record.parent_path())
      throw FileError(file->target(), "is not in the folder of " + record.string());
    file->seal();
  }
  {
    ReplacingFile writing(record);
    const std::string text = record_text(files);
    writing.write_at(0, text.data(), text.size());
    writing.commit();
  }
  // The record is in place: the temporaries are the set now, and a failure from here on must
  // leave them for the next open to finish.
  for (const auto& file : files)
    file->release();
  try {
    finish_replacement(record);
  } catch (const std::exception& error) {
    throw FileError(record, std::string("the new files are whole but not all in place (") +
                                error.what() +
                                "); they take their place when the set is next opened");
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
  const fs::path record = replacement_record(replaced_file(file));
  // A record that never took its name decided nothing.
  remove_stale_temporary(record);
  std::error_code error;
  if (fs::exists(record, error)) {
    const fs::path folder = record.parent_path();
    for (const std::string& name : read_record(record)) {
      const fs::path target = folder / name;
      const fs::path temporary = temporary_path(target);
      if (!fs::exists(temporary, error))
        continue; // renamed before the kill
      if (testing::before_step)
        testing::before_step(testing::Step::rename, target);
      if (std::rename(temporary.c_str(), target.c_str()) != 0)
        throw FileError(target, "cannot be replaced by " + temporary.filename().string() + " (" +
                                    std::strerror(errno) + ")");
    }
    detail::sync_folder(record);
    if (testing::before_step)
      testing::before_step(testing::Step::forget_record, record);
    if (!fs::remove(record, error) && error)
      throw FileError(record, "cannot be removed (" + error.message() + ")");
    detail::sync_folder(record);
  }
  // Without a record nothing was decided: the temporaries of the set's files that a killed run
  // left (not only the one of `file`) go, and the old set stays as it was.
  remove_stale_temporary(file);
  for (const char* extension : set_extensions) {
    fs::path companion = record;
    remove_stale_temporary(companion.replace_extension(extension));
  }
}

} // namespace files
