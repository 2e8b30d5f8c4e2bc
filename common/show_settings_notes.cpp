#include "common/show_settings_notes.h"

#include "common/show_message.h"

namespace corvane {

void ShowSettingsNotes(SettingsNotes& notes) {
  if (notes.empty())
    return;
  show_message(notes.take_text(), "Network Settings", forms::Icon::Exclamation);
}

} // namespace corvane
