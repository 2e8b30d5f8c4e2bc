#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/carried_settings.h"
#include "win/profile.h"

namespace corvane {

// Why a settings file that exists, as `settings` read it, cannot be understood: it is empty, it
// is no single-byte text (a file of two-byte characters), or it lacks its main section ([INFO]
// of "Corvane.ini", [SPEED VALUES] of "link.spd"). Nothing for a missing file or one that can be
// understood. A byte-order mark, any line ends and blanks around names and values are understood.
std::optional<std::string> UnreadableReason(const win::ProfileSnapshot& settings,
                                            std::string_view main_section);

// A settings file that a rebuild replaces although it could not be understood.
struct UnreadableFile {
  std::string file;
  std::string reason;
  // What of it the rebuild writes into the new file; nothing keeps the old one as "<file>.bak".
  std::string carried;
};

// Before the rebuild: keeps every file of which nothing is carried as "<file>.bak" (the copy is
// the system's own; an older one of that name is replaced) and tells the user in one message
// ("Network Settings", exclamation) which files could not be read, why, and what is carried
// over or where the old file is kept. False, with the user told, when a copy cannot be made:
// the file is then not replaced.
bool KeepUnreadableSettings(const std::vector<UnreadableFile>& files);

} // namespace corvane
