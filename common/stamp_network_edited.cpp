#include "common/stamp_network_edited.h"

#include <chrono>

#include "common/unwritten_settings.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "win/clock.h"

namespace corvane {

namespace {

settings::Changes stamp_ahead(std::chrono::minutes ahead) {
  const auto now = win::clock::now();
  settings::Changes changes;
  settings::set(changes, settings::Info, settings::Edited,
                settings::edited_value(now, now + ahead));
  return changes;
}

void stamp(std::chrono::minutes ahead) {
  const auto ini = NetworkIniFile(shared_state().gNetworkFolder);
  // The result stands; only the mark that the network was used is missing.
  SettingsWritten(settings::commit(ini, stamp_ahead(ahead)), ini,
                  "The edit stamp (\"EDITED\") is not saved.");
}

} // namespace

void StampNetworkEdited() {
  stamp(std::chrono::minutes(1));
}

void StampNetworkEditedNow() {
  stamp(std::chrono::minutes(0));
}

settings::Changes NetworkEditedStamp() {
  return stamp_ahead(std::chrono::minutes(1));
}

} // namespace corvane
