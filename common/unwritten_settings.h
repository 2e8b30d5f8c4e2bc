#pragma once

#include <string>
#include <string_view>

namespace corvane {

// What the user is told of a settings file that could not be replaced: its name and the reason
// of the failed call (`error`, the errno it left). The file itself is as it was (every settings
// write replaces it whole or not at all).
std::string UnwrittenSettingsText(const std::string& file, int error);

// `written`, after telling the user, when it is false, that `file` could not be written, why
// (the errno the failed write left), and what is therefore not saved (`unsaved`, a sentence). A dialog's OK then returns and the dialog
// stays open.
inline constexpr std::string_view ChangeNotSaved = "The change is not saved.";
bool SettingsWritten(bool written, const std::string& file,
                     std::string_view unsaved = ChangeNotSaved);

// The same message, then the running handler ends (a refusal the user has been told of): a
// tool's click or a command stops there.
void RequireSettingsWritten(bool written, const std::string& file,
                            std::string_view unsaved = ChangeNotSaved);

} // namespace corvane
