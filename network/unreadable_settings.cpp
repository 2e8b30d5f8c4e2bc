#include "network/unreadable_settings.h"

#include "common/show_message.h"
#include "win/file_system_object.h"

namespace corvane {

std::optional<std::string> UnreadableReason(const win::ProfileSnapshot& settings,
                                            std::string_view main_section) {
  if (settings.missing())
    return std::nullopt;
  if (settings.binary())
    return "it is no text of single-byte characters";
  if (settings.empty())
    return "it is empty";
  if (!settings.has_section(main_section))
    return "it has no [" + std::string(main_section) + "] section";
  return std::nullopt;
}

bool KeepUnreadableSettings(const std::vector<UnreadableFile>& files) {
  std::string text;
  for (const auto& unreadable : files) {
    if (!text.empty())
      text += "\n";
    text += unreadable.file + " could not be read: " + unreadable.reason +
            ". The network is built again";
    if (!unreadable.carried.empty()) {
      text += ", and its " + unreadable.carried + " are carried over.";
      continue;
    }
    const auto backup = unreadable.file + ".bak";
    if (const auto failure = win::FileSystemObject().CopyFile(unreadable.file, backup)) {
      show_message(text + "; nothing in it can be carried over, and it cannot be kept as " +
                       backup + " (" + *failure + "). The network is not built.",
                   "Network Settings", forms::Icon::Exclamation);
      return false;
    }
    text += "; nothing in it could be carried over, and the old file is kept as " + backup + ".";
  }
  show_message(text, "Network Settings", forms::Icon::Exclamation);
  return true;
}

} // namespace corvane
