#include "common/unwritten_settings.h"

#include <cerrno>

#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "win/backup_copy.h"

namespace corvane {

std::string UnwrittenSettingsText(const std::string& file, int error) {
  return file + " could not be written: " + win::WriteFailureReason(file, error) + ".";
}

bool SettingsWritten(bool written, const std::string& file, std::string_view unsaved) {
  const int error = errno; // before anything else can change it
  if (!written)
    show_message(UnwrittenSettingsText(file, error) + " " + std::string(unsaved), "Error",
                 forms::Icon::Critical);
  return written;
}

void RequireSettingsWritten(bool written, const std::string& file, std::string_view unsaved) {
  if (!SettingsWritten(written, file, unsaved))
    throw ToldHandlerEnd(file + " cannot be written");
}

} // namespace corvane
