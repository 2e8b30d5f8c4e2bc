#include "common/unwritten_settings.h"

#include "common/show_message.h"
#include "network/state/handler_end.h"

namespace corvane {

std::string UnwrittenSettingsText(const std::string& file) {
  return file + " could not be written (it is read-only, or its folder cannot be written).";
}

bool SettingsWritten(bool written, const std::string& file, std::string_view unsaved) {
  if (!written)
    show_message(UnwrittenSettingsText(file) + " " + std::string(unsaved), "Error",
                 forms::Icon::Critical);
  return written;
}

void RequireSettingsWritten(bool written, const std::string& file, std::string_view unsaved) {
  if (!SettingsWritten(written, file, unsaved))
    throw ToldHandlerEnd(file + " cannot be written");
}

} // namespace corvane
