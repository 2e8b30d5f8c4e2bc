#include "common/stamp_network_edited.h"

#include <chrono>

#include "network/settings_files.h"
#include "network/shared_state.h"
#include "win/clock.h"

namespace corvane {

namespace {

void stamp(std::chrono::minutes ahead) {
  const auto now = win::clock::now();
  settings::write(NetworkIniFile(shared_state().gNetworkFolder), settings::Info, settings::Edited,
                  settings::edited_value(now, now + ahead));
}

} // namespace

void StampNetworkEdited() {
  stamp(std::chrono::minutes(1));
}

void StampNetworkEditedNow() {
  stamp(std::chrono::minutes(0));
}

} // namespace corvane
