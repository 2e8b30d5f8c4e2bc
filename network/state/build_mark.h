#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network/state/settings_notes.h"

namespace corvane {

// A build replaces the engine's network files first and the settings files last, so a kill
// between them would leave new network files beside the old settings, which an opening would
// take as current. The build therefore puts a mark beside the files before the engine starts;
// an opening that finds a mark whose settings were not yet written, and network files that are
// no longer those the build began with, knows that files and settings may disagree and builds
// again. The mark is "Corvane.ini.building" in the network folder, a file of the system's own,
// each of its states written whole (a profile file with the one section [BUILD]). It knows the
// network files by their size and time of change: a replacement gives a file a new time.

// What the mark of the last build says of the network files as they are now.
enum class LastBuild {
  // No mark, or a build that wrote its settings: files and settings belong together.
  finished,
  // A build that stopped before it replaced a network file: the files and the settings are
  // still those that belong together, and a rebuild compares its links with the old ones.
  replaced_nothing,
  // A build that replaced network files whose links are those the settings name.
  links_kept,
  // A build that replaced network files, which may not be those the settings name.
  unfinished,
};
LastBuild LastBuildOf(std::string_view folder);

// The mark of a build about to begin. It keeps what a mark left by an unfinished build holds:
// the lines not yet shown, the copies made, and that its files may not belong to the settings.
// False when the mark cannot be written (nor, then, the network files); no mark is then left
// but one an earlier build left, which still says what it said.
bool PutBuildMark(std::string_view folder);
// Once the engine has made network files with the same links as those it replaced, the mark
// says so: the link numbers in the settings then still name the same roads, so a rebuild after
// a kill or a failure may carry them over. Said by an empty file ("Corvane.ini.links-kept"),
// which needs no room on a full disk.
void MarkLinksKept(std::string_view folder);
// What the build has to tell the user of the old settings files (what is not carried over and
// which copy keeps it), recorded before either file is replaced: a kill before the user has
// read it leaves it here for the next opening to show. `copies` are the copies made (`named`
// those the lines name), so that the build done again after a kill keeps the same ones
// (KeepOldSettings) rather than a second copy of the same file. False when it cannot be
// recorded.
bool RecordUnshownNotes(std::string_view folder, const std::vector<std::string>& lines,
                        const EarlierCopies& copies);
std::vector<std::string> UnshownNotes(std::string_view folder);
// The opening has shown `shown`: they leave the mark, so that no line is shown twice. A mark
// that has nothing more to say goes: that of a finished build, or of one that replaced nothing
// once the opening has `loaded` the network as it was.
// The copies `shown` names leave the mark's unnamed ones likewise.
void ForgetShownNotes(std::string_view folder, const std::vector<std::string>& shown, bool loaded);
// A line for each copy of a build that did not finish that no line of `said` names: one whose
// old settings differ from the file as it is now is kept by no build again, and every copy that
// holds settings is named to the user once.
std::vector<std::string> UnnamedCopiesNotes(std::string_view folder,
                                            const std::vector<std::string>& said);
// The copies of "Corvane.ini" and "link.spd" of a build that did not finish: those its mark
// records, and those made since the mark was last written (a kill between a copy and its record
// leaves those). Nothing without a mark.
EarlierCopies CopiesOfUnfinishedBuild(std::string_view folder);
// Both settings files are written: the network and its settings belong together, and the mark
// stays only for the notes not yet shown. A mark that cannot say so is removed: one left as it
// was would have the next opening take the finished build for one cut short and build again.
void MarkSettingsWritten(std::string_view folder);
void RemoveBuildMark(std::string_view folder);
bool BuildMarkPresent(std::string_view folder);

} // namespace corvane
