#include "network/state/settings_notes.h"

#include <algorithm>
#include <utility>

#include "win/backup_copy.h"
#include "win/file_system_object.h"

namespace corvane {

void SettingsNotes::add(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view what) {
  add(std::string(file) + ": [" + std::string(section) + "] \"" + std::string(key) + "\" " +
      std::string(what));
}

void SettingsNotes::add(std::string line) {
  // A loss is named once, however many steps come upon it.
  if (std::ranges::find(lines_, line) == lines_.end())
    lines_.push_back(std::move(line));
}

std::string SettingsNotes::take_text() {
  std::string text;
  for (const auto& line : lines_)
    text += (text.empty() ? "" : "\n") + line;
  lines_.clear();
  return text;
}

bool KeepOldSettings(const std::string& file, const std::string& why, SettingsNotes& notes) {
  EarlierCopies none;
  return KeepOldSettings(file, why, notes, none);
}

bool KeepOldSettings(const std::string& file, const std::string& why, SettingsNotes& notes,
                     EarlierCopies& earlier) {
  const win::FileSystemObject files;
  if (!files.FileExists(file)) {
    notes.add(why);
    return true;
  }
  auto candidates = earlier.named;
  candidates.insert(candidates.end(), earlier.unnamed.begin(), earlier.unnamed.end());
  const auto kept = win::KeepBackupCopy(file, candidates);
  if (kept.reused && std::ranges::find(earlier.named, kept.copy) != earlier.named.end())
    return true;
  if (kept.failure) {
    notes.add(why + " The old file cannot be kept as " +
              (kept.copy.empty() ? file + ".bak" : kept.copy) + " (" + *kept.failure +
              "), so it is not replaced. The network is built again when it is next opened.");
    return false;
  }
  notes.add(why + " The old file is kept as " + kept.copy + ".");
  std::erase(earlier.unnamed, kept.copy);
  earlier.named.push_back(kept.copy);
  return true;
}

std::string ListedWithAnd(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

} // namespace corvane
