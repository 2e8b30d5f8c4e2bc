#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What an opening, a rebuild or the road-class update has to tell the user about the settings
// files: every value a file holds that is left out, replaced or not carried over, and every copy
// kept of an old file. They are gathered here and shown together by the caller in one message
// (ShowSettingsNotes in common/show_settings_notes.h), so that each is named and none is lost
// among many boxes.
class SettingsNotes {
public:
  // FILE: [SECTION] "KEY" WHAT. A line the notes hold already adds nothing.
  void add(std::string_view file, std::string_view section, std::string_view key,
           std::string_view what);
  void add(std::string line);
  bool empty() const { return lines_.empty(); }
  const std::vector<std::string>& lines() const { return lines_; }
  // The notes, one a line, handed over: none are left.
  std::string take_text();

private:
  std::vector<std::string> lines_;
};

// The items as the notes list them: "a", "a and b", "a, b and c".
std::string ListedWithAnd(const std::vector<std::string>& items);

// Before `file` is replaced by a write that leaves out some of what it holds: keeps it as
// "<file>.bak", or under the next free name when that is taken (win/backup_copy.h: no copy is
// ever replaced), and adds to `notes` why (`why`, sentences naming what is not carried over)
// and which file keeps the old one.
// A missing file needs no copy. False, with the note saying so, when the copy cannot be made:
// the caller then leaves the file as it is, and its build mark (network/state/build_mark.h)
// standing, so that the next opening builds the network again, as the note says.
bool KeepOldSettings(const std::string& file, const std::string& why, SettingsNotes& notes);
// The copies a build that did not finish made of the settings files: `named` those its record
// names (network/state/build_mark.h), whose lines the next opening shows; `unnamed` those made
// after it last wrote its mark, which a kill before the record left unnamed.
struct EarlierCopies {
  std::vector<std::string> named;
  std::vector<std::string> unnamed;
};

// The same for a build done again after one that did not finish: a copy of `earlier` that holds
// the file as it is now is its copy, and none is made. One already named adds nothing to
// `notes`, whose recorded line names it; any other copy is named as a new one is, and joins
// `earlier.named` for the build's own record.
bool KeepOldSettings(const std::string& file, const std::string& why, SettingsNotes& notes,
                     EarlierCopies& earlier);

} // namespace corvane
