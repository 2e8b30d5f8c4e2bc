#include "files/replace_together.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "file_system.h"
#include "files/file_error.h"

namespace files {

namespace fs = std::filesystem;

namespace {

constexpr const char* record_mark = "corvane replacement\n";
constexpr const char* record_extension = ".replacing";
constexpr const char* temporary_extension = ".tmp";
// The files a set may be replaced with.
constexpr const char* set_extensions[] = {".shp", ".shx", ".dbf", ".cpg", ".prj"};
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

// The names a record lists, each checked to be a file of the record's own folder.
Record read_record(const fs::path& record) {
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
      throw FileError(record, "names \"" + name + "\", which is not a file in its folder");
    list->push_back(name);
  }
  if (names.replaced.empty() && names.removed.empty())
    throw FileError(record, "names no file");
  return names;
}

bool ends_with(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What a folder held of records and temporaries when it was last listed, and whether that still
// holds: a name made, removed or renamed in the folder changes its modification time. The time
// is kept by a coarse clock, so a listing is trusted only once the folder's time lies further in
// the past than a tick could hide: a change in the same tick as the last one would keep the time.
class Leftovers {
public:
  // The names ending in ".tmp" or ".replacing" in `folder`, listed anew unless a trusted
  // listing of the same modification time is kept.
  std::vector<std::string> of(const fs::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0)
      return list(folder); // a failure is named by the steps that follow
    const std::scoped_lock lock(mutex_);
    if (kept_ && kept_->folder == folder && same_time(kept_->time, status.st_mtim))
      return kept_->names;
    const auto listed_at = std::chrono::system_clock::now();
    auto names = list(folder);
    const auto changed_at = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(status.st_mtim.tv_sec) +
            std::chrono::nanoseconds(status.st_mtim.tv_nsec)));
    // A file system that keeps whole seconds hides a whole second.
    const auto tick = status.st_mtim.tv_nsec == 0 ? std::chrono::milliseconds(2000)
                                                  : std::chrono::milliseconds(100);
    if (listed_at - changed_at > tick)
      kept_ = Kept{folder, status.st_mtim, names};
    else
      kept_.reset();
    return names;
  }

  // After this process changed the folder.
  void forget() {
    const std::scoped_lock lock(mutex_);
    kept_.reset();
  }

private:
  struct Kept {
    fs::path folder;
    timespec time;
    std::vector<std::string> names;
  };

  static bool same_time(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
  }

  static std::vector<std::string> list(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      std::string name = it->path().filename().string();
      if (ends_with(name, temporary_extension) || ends_with(name, record_extension))
        names.push_back(std::move(name));
    }
    return names;
  }

  std::mutex mutex_;
  std::optional<Kept> kept_;
};

Leftovers& leftovers() {
  static Leftovers kept;
  return kept;
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
void complete(const fs::path& record) {
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
      throw FileError(target, "cannot be replaced by " + temporary.filename().string() + " (" +
                                  std::strerror(errno) + ")");
  }
  for (const std::string& name : names.removed) {
    const fs::path doomed = folder / name;
    if (testing::before_step)
      testing::before_step(testing::Step::remove, doomed);
    if (!fs::remove(doomed, error) && error)
      throw FileError(doomed, "cannot be removed (" + error.message() + ")");
  }
  detail::sync_folder(record);
  if (testing::before_step)
    testing::before_step(testing::Step::forget_record, record);
  if (!fs::remove(record, error) && error)
    throw FileError(record, "cannot be removed (" + error.message() + ")");
  detail::sync_folder(record);
}

// Puts the record `text` in place beside the set, then completes it. `decided` runs once the
// record is in place.
void decide(const fs::path& record, const std::string& text, const std::function<void()>& decided,
            const std::string& consequence) {
  {
    ReplacingFile writing(record);
    writing.write_at(0, text.data(), text.size());
    writing.commit();
  }
  leftovers().forget();
  decided();
  try {
    complete(record);
  } catch (const std::exception& error) {
    leftovers().forget();
    throw FileError(record, consequence + " (" + error.what() +
                                "); that is done when the set is next opened");
  }
  leftovers().forget();
}

void require_in_folder(const fs::path& file, const fs::path& record) {
  if (file.parent_path() != record.parent_path())
    throw FileError(file, "is not in the folder of " + record.string());
}

} // namespace

fs::path replacement_record(const fs::path& file) {
  fs::path record = file.parent_path() / file.stem();
  record += record_extension;
  return record;
}

void replace_together(std::vector<std::unique_ptr<ReplacingFile>>& files,
                      const std::vector<fs::path>& removed) {
  if (files.empty())
    return;
  const fs::path record = replacement_record(files.front()->target());
  for (const auto& file : files) {
    require_in_folder(file->target(), record);
    file->seal();
  }
  for (const auto& file : removed)
    require_in_folder(file, record);
  // Once the record is in place the temporaries are the set: a failure from there on must
  // leave them for the next open to finish.
  decide(
      record, record_text(files, removed),
      [&] {
        for (const auto& file : files)
          file->release();
      },
      "the new files are whole but not all in place");
}

void remove_together(const fs::path& set_file, const std::vector<fs::path>& removed) {
  if (removed.empty())
    return;
  const fs::path record = replacement_record(set_file);
  for (const auto& file : removed)
    require_in_folder(file, record);
  decide(
      record, record_text({}, removed), [] {}, "the files are not all removed");
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
  const auto names = leftovers().of(record.parent_path());
  const bool decided = listed(names, record);
  // A record that never took its name decided nothing.
  const bool stale = listed(names, temporary_path(record)) || listed(names, temporary_path(real)) ||
                     std::ranges::any_of(set_extensions, [&](const char* extension) {
                       fs::path companion = record;
                       return listed(names, temporary_path(companion.replace_extension(extension)));
                     });
  if (!decided && !stale)
    return;
  leftovers().forget();
  remove_listed(names, temporary_path(record));
  if (decided)
    complete(record);
  // Without a record nothing was decided: the temporaries of the set's files that a killed run
  // left (not only the one of `file`) go, and the old set stays as it was.
  remove_listed(names, temporary_path(real));
  for (const char* extension : set_extensions) {
    fs::path companion = record;
    remove_listed(names, temporary_path(companion.replace_extension(extension)));
  }
}

} // namespace files
