#pragma once

#include "network/state/settings_notes.h"

namespace corvane {

// Shows the notes gathered on the settings files in one "Network Settings" message
// (exclamation), one line per note; nothing is shown when there is none. The notes are then gone.
void ShowSettingsNotes(SettingsNotes& notes);

} // namespace corvane
