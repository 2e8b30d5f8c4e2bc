#include "network/state/build_mark.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "com/numbers.h"
#include "network/state/settings_files.h"
#include "win/backup_copy.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {

namespace {

constexpr std::string_view section = "BUILD";
constexpr std::string_view state_key = "STATE";
constexpr std::string_view notes_key = "NOTES";
constexpr std::string_view copies_key = "COPIES";
constexpr std::string_view begun = "begun";
constexpr std::string_view links_kept = "links kept";
constexpr std::string_view settings_written = "settings written";
// More than a build ever records: one line and one copy per settings file.
constexpr std::int32_t max_notes = 16;

std::string mark_file(std::string_view folder) {
  return NetworkIniFile(folder) + ".building";
}

std::string note_key(std::size_t line) {
  return "NOTE" + win::NumText(static_cast<std::int32_t>(line));
}

std::string copy_key(std::size_t copy) {
  return "COPY" + win::NumText(static_cast<std::int32_t>(copy));
}

void set_list(settings::Changes& changes, std::string_view count_key,
              std::string (*item_key)(std::size_t), const std::vector<std::string>& items) {
  settings::set(changes, section, count_key, win::NumText(static_cast<std::int32_t>(items.size())));
  for (std::size_t item = 0; item < items.size(); ++item)
    settings::set(changes, section, item_key(item + 1), items[item]);
}

std::vector<std::string> read_list(std::string_view folder, std::string_view count_key,
                                   std::string (*item_key)(std::size_t)) {
  const win::ProfileSnapshot mark(mark_file(folder));
  std::vector<std::string> items;
  // A count that is no count reads nothing: the mark is the system's own, so only a damaged
  // one holds such a count.
  const auto count = com::to_int32(com::Val(mark.read(section, count_key, "0"))).value_or(0);
  for (std::int32_t item = 1; item <= count && item <= max_notes; ++item) {
    const auto text = mark.read(section, item_key(static_cast<std::size_t>(item)), "", 65536);
    if (!text.empty())
      items.push_back(text);
  }
  return items;
}

std::string read_state(std::string_view folder) {
  return win::ProfileSnapshot(mark_file(folder)).read(section, state_key, "");
}

bool write_state(std::string_view folder, std::string_view state) {
  settings::Changes changes;
  settings::set(changes, section, state_key, state);
  return settings::commit(mark_file(folder), changes);
}

} // namespace

bool PutBuildMark(std::string_view folder) {
  settings::Changes changes;
  settings::set(changes, section, state_key, begun);
  return settings::commit(mark_file(folder), changes, win::ProfileBase::empty_file);
}

void MarkLinksKept(std::string_view folder) {
  // A mark that cannot be written so only says less: the links are then taken as changed.
  write_state(folder, links_kept);
}

bool BuildMarkSaysLinksKept(std::string_view folder) {
  const auto state = read_state(folder);
  return state == links_kept || state == settings_written;
}

bool RecordUnshownNotes(std::string_view folder, const std::vector<std::string>& lines,
                        const std::vector<std::string>& copies) {
  if (lines.empty() && copies.empty())
    return true;
  settings::Changes changes;
  set_list(changes, notes_key, note_key, lines);
  set_list(changes, copies_key, copy_key, copies);
  return settings::commit(mark_file(folder), changes);
}

std::vector<std::string> UnshownNotes(std::string_view folder) {
  return read_list(folder, notes_key, note_key);
}

EarlierCopies CopiesOfUnfinishedBuild(std::string_view folder) {
  EarlierCopies copies{.named = read_list(folder, copies_key, copy_key), .unnamed = {}};
  std::error_code error;
  const auto marked = std::filesystem::last_write_time(win::resolve_path(mark_file(folder)), error);
  if (error)
    return copies;
  for (const auto& file : {NetworkIniFile(folder), SpeedClassFile(folder)})
    for (auto& copy : win::BackupCopiesOf(file)) {
      const auto made = std::filesystem::last_write_time(win::resolve_path(copy), error);
      if (!error && made >= marked && std::ranges::find(copies.named, copy) == copies.named.end())
        copies.unnamed.push_back(std::move(copy));
    }
  return copies;
}

void MarkSettingsWritten(std::string_view folder) {
  if (!write_state(folder, settings_written))
    RemoveBuildMark(folder);
}

bool BuildMarkSaysSettingsWritten(std::string_view folder) {
  return read_state(folder) == settings_written;
}

void RemoveBuildMark(std::string_view folder) {
  std::error_code ignored;
  std::filesystem::remove(win::resolve_path(mark_file(folder)), ignored);
}

bool BuildMarkPresent(std::string_view folder) {
  std::error_code ignored;
  return std::filesystem::exists(win::resolve_path(mark_file(folder)), ignored);
}

} // namespace corvane
