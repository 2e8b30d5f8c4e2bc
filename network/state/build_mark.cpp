#include "network/state/build_mark.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "com/numbers.h"
#include "network/state/settings_files.h"
#include "tamix/network_file_names.h"
#include "win/backup_copy.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {

namespace {

constexpr std::string_view section = "BUILD";
constexpr std::string_view state_key = "STATE";
// The network files as they were where the settings belonged to them all, and where the
// settings' link numbers named their links.
constexpr std::string_view matched_key = "MATCHED";
constexpr std::string_view links_key = "LINKS";
constexpr std::string_view notes_key = "NOTES";
constexpr std::string_view copies_key = "COPIES";
constexpr std::string_view kept_key = "KEPT";
constexpr std::string_view begun = "begun";
constexpr std::string_view settings_written = "settings written";
// More than a build ever records: one line and one copy per settings file.
constexpr std::int32_t max_notes = 16;

// The files that number the links, and with the road classes all files of a network.
constexpr std::array<std::string_view, 4> link_files{tamix::link_file, tamix::dist_file,
                                                     tamix::coord_file, tamix::node_file};
constexpr std::array<std::string_view, 5> network_files{
    tamix::link_file, tamix::dist_file, tamix::coord_file, tamix::node_file, tamix::attribute_file};

std::string mark_file(std::string_view folder) {
  return NetworkIniFile(folder) + ".building";
}

// That the network files the engine has just made keep the links: an empty file, which even a
// full disk has room for, beside the mark. It holds for the files that were not replaced after
// it was made.
std::filesystem::path links_kept_file(std::string_view folder) {
  return win::resolve_path(NetworkIniFile(folder) + ".links-kept");
}

bool links_kept_since_made(std::string_view folder) {
  std::error_code error;
  const auto made = std::filesystem::last_write_time(links_kept_file(folder), error);
  if (error)
    return false;
  return std::ranges::all_of(link_files, [&](std::string_view name) {
    std::error_code missing;
    const auto changed =
        std::filesystem::last_write_time(win::resolve_path(win::join_path(folder, name)), missing);
    return !missing && changed <= made;
  });
}

// The files as they are now: each one's size and time of change, or that it is missing.
template <std::size_t N>
std::string files_now(std::string_view folder, const std::array<std::string_view, N>& names) {
  std::string text;
  for (const auto name : names) {
    const auto file = win::resolve_path(win::join_path(folder, name));
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    const auto changed =
        error ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(file, error);
    text += (text.empty() ? "" : "|") + std::string(name) + " ";
    text += error ? std::string("-")
                  : std::to_string(size) + " " + std::to_string(changed.time_since_epoch().count());
  }
  return text;
}

using ItemKey = std::string (*)(std::size_t);
std::string note_key(std::size_t line) {
  return "NOTE" + win::NumText(static_cast<std::int32_t>(line));
}
std::string copy_key(std::size_t copy) {
  return "COPY" + win::NumText(static_cast<std::int32_t>(copy));
}
std::string kept_copy_key(std::size_t copy) {
  return "KEPT" + win::NumText(static_cast<std::int32_t>(copy));
}

void set_list(settings::Changes& changes, std::string_view count_key, ItemKey item_key,
              const std::vector<std::string>& items) {
  settings::set(changes, section, count_key, win::NumText(static_cast<std::int32_t>(items.size())));
  for (std::size_t item = 0; item < items.size(); ++item)
    settings::set(changes, section, item_key(item + 1), items[item]);
}

std::vector<std::string> read_list(const win::ProfileSnapshot& mark, std::string_view count_key,
                                   ItemKey item_key) {
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

// Whether a line of `lines` names `copy` (a path, which a line ends or follows with a blank or
// a full stop; "X.bak" is no name of "X.bak.tmp").
bool named_in(const std::vector<std::string>& lines, const std::string& copy) {
  return std::ranges::any_of(lines, [&](const std::string& line) {
    for (auto at = line.find(copy); at != std::string::npos; at = line.find(copy, at + 1)) {
      const auto after = line.substr(at + copy.size(), 2);
      if (after.empty() || after[0] == ' ' || after == "." || after == ". ")
        return true;
    }
    return false;
  });
}

bool write_key(std::string_view folder, std::string_view key, std::string_view value) {
  settings::Changes changes;
  settings::set(changes, section, key, value);
  return settings::commit(mark_file(folder), changes);
}

void set_lists(settings::Changes& changes, const std::vector<std::string>& lines,
               const EarlierCopies& copies) {
  set_list(changes, notes_key, note_key, lines);
  set_list(changes, copies_key, copy_key, copies.named);
  set_list(changes, kept_key, kept_copy_key, copies.unnamed);
}

} // namespace

LastBuild LastBuildOf(std::string_view folder) {
  if (!BuildMarkPresent(folder))
    return LastBuild::finished;
  const win::ProfileSnapshot mark(mark_file(folder));
  const auto state = mark.read(section, state_key, "");
  if (state == settings_written)
    return LastBuild::finished;
  const auto matched = mark.read(section, matched_key, "", 65536);
  if (!matched.empty() && matched == files_now(folder, network_files))
    return LastBuild::replaced_nothing;
  const auto links = mark.read(section, links_key, "", 65536);
  if ((!links.empty() && links == files_now(folder, link_files)) || links_kept_since_made(folder))
    return LastBuild::links_kept;
  return LastBuild::unfinished;
}

bool PutBuildMark(std::string_view folder) {
  const auto last = LastBuildOf(folder);
  settings::Changes changes;
  settings::set(changes, section, state_key, begun);
  // Only files that belonged to the settings when the build began can be trusted to after it.
  if (last == LastBuild::finished || last == LastBuild::replaced_nothing)
    settings::set(changes, section, matched_key, files_now(folder, network_files));
  if (last != LastBuild::unfinished)
    settings::set(changes, section, links_key, files_now(folder, link_files));
  if (BuildMarkPresent(folder))
    set_lists(changes, UnshownNotes(folder), CopiesOfUnfinishedBuild(folder));
  if (!settings::commit(mark_file(folder), changes, win::ProfileBase::empty_file))
    return false;
  // What the new mark says of the links now, the files this build makes must say anew. One that
  // stays says nothing of them: it is older than every network file this build replaces.
  std::error_code ignored;
  std::filesystem::remove(links_kept_file(folder), ignored);
  return true;
}

void MarkLinksKept(std::string_view folder) {
  // A file that cannot be made so only says less: the links are then taken as unsure.
  std::ofstream(links_kept_file(folder), std::ios::trunc);
}

bool RecordUnshownNotes(std::string_view folder, const std::vector<std::string>& lines,
                        const EarlierCopies& copies) {
  if (lines.empty() && copies.named.empty() && copies.unnamed.empty())
    return true;
  settings::Changes changes;
  set_lists(changes, lines, copies);
  return settings::commit(mark_file(folder), changes);
}

std::vector<std::string> UnshownNotes(std::string_view folder) {
  return read_list(win::ProfileSnapshot(mark_file(folder)), notes_key, note_key);
}

void ForgetShownNotes(std::string_view folder, const std::vector<std::string>& shown, bool loaded) {
  if (!BuildMarkPresent(folder))
    return;
  const auto last = LastBuildOf(folder);
  if (last == LastBuild::finished || (loaded && last == LastBuild::replaced_nothing))
    return RemoveBuildMark(folder);
  if (shown.empty())
    return;
  auto lines = UnshownNotes(folder);
  std::erase_if(lines,
                [&](const auto& line) { return std::ranges::find(shown, line) != shown.end(); });
  auto kept = read_list(win::ProfileSnapshot(mark_file(folder)), kept_key, kept_copy_key);
  std::erase_if(kept, [&](const auto& copy) { return named_in(shown, copy); });
  settings::Changes changes;
  set_list(changes, notes_key, note_key, lines);
  set_list(changes, kept_key, kept_copy_key, kept);
  // Written anew, the mark is younger than the copies just named, so they are not taken for
  // unnamed ones again. A mark that cannot forget them shows them once more: nothing is lost.
  settings::commit(mark_file(folder), changes);
}

std::vector<std::string> UnnamedCopiesNotes(std::string_view folder,
                                            const std::vector<std::string>& said) {
  const auto unnamed = CopiesOfUnfinishedBuild(folder).unnamed;
  std::vector<std::string> lines;
  for (const auto& file : {NetworkIniFile(folder), SpeedClassFile(folder)})
    for (const auto& copy : win::BackupCopiesOf(file))
      if (std::ranges::find(unnamed, copy) != unnamed.end() && !named_in(said, copy))
        lines.push_back(file + ": a build of the network that did not finish kept its earlier "
                               "settings as " +
                        copy + ".");
  return lines;
}

EarlierCopies CopiesOfUnfinishedBuild(std::string_view folder) {
  const win::ProfileSnapshot mark(mark_file(folder));
  EarlierCopies copies{.named = read_list(mark, copies_key, copy_key),
                       .unnamed = read_list(mark, kept_key, kept_copy_key)};
  std::error_code error;
  const auto marked = std::filesystem::last_write_time(win::resolve_path(mark_file(folder)), error);
  if (error)
    return copies;
  const auto listed = [&](const std::string& copy) {
    return std::ranges::find(copies.named, copy) != copies.named.end() ||
           std::ranges::find(copies.unnamed, copy) != copies.unnamed.end();
  };
  for (const auto& file : {NetworkIniFile(folder), SpeedClassFile(folder)})
    for (auto& copy : win::BackupCopiesOf(file)) {
      const auto made = std::filesystem::last_write_time(win::resolve_path(copy), error);
      if (!error && made >= marked && !listed(copy))
        copies.unnamed.push_back(std::move(copy));
    }
  return copies;
}

void MarkSettingsWritten(std::string_view folder) {
  if (!write_key(folder, state_key, settings_written))
    RemoveBuildMark(folder);
}

void RemoveBuildMark(std::string_view folder) {
  std::error_code ignored;
  std::filesystem::remove(win::resolve_path(mark_file(folder)), ignored);
  std::filesystem::remove(links_kept_file(folder), ignored);
}

bool BuildMarkPresent(std::string_view folder) {
  std::error_code ignored;
  return std::filesystem::exists(win::resolve_path(mark_file(folder)), ignored);
}

} // namespace corvane
