#include "network/state/build_mark.h"

#include <filesystem>
#include <system_error>

#include "com/numbers.h"
#include "network/state/settings_files.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {

namespace {

constexpr std::string_view section = "BUILD";
constexpr std::string_view state_key = "STATE";
constexpr std::string_view notes_key = "NOTES";
constexpr std::string_view begun = "begun";
constexpr std::string_view links_kept = "links kept";
constexpr std::string_view settings_written = "settings written";
// More than a build ever records: one line per settings file.
constexpr std::int32_t max_notes = 16;

std::string mark_file(std::string_view folder) {
  return NetworkIniFile(folder) + ".building";
}

std::string note_key(std::size_t line) {
  return "NOTE" + win::NumText(static_cast<std::int32_t>(line));
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

bool RecordUnshownNotes(std::string_view folder, const std::vector<std::string>& lines) {
  settings::Changes changes;
  settings::set(changes, section, notes_key, win::NumText(static_cast<std::int32_t>(lines.size())));
  for (std::size_t line = 0; line < lines.size(); ++line)
    settings::set(changes, section, note_key(line + 1), lines[line]);
  return lines.empty() || settings::commit(mark_file(folder), changes);
}

std::vector<std::string> UnshownNotes(std::string_view folder) {
  const win::ProfileSnapshot mark(mark_file(folder));
  std::vector<std::string> lines;
  // A count that is no count reads no lines: the mark is the system's own, so only a damaged
  // one holds such a count.
  const auto count = com::to_int32(com::Val(mark.read(section, notes_key, "0"))).value_or(0);
  for (std::int32_t line = 1; line <= count && line <= max_notes; ++line) {
    const auto text = mark.read(section, note_key(static_cast<std::size_t>(line)), "", 65536);
    if (!text.empty())
      lines.push_back(text);
  }
  return lines;
}

void MarkSettingsWritten(std::string_view folder) {
  // A mark that cannot say so is taken as a build cut short: the next opening builds again.
  write_state(folder, settings_written);
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
