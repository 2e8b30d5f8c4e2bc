#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// A copy of a file that is about to lose some of what it holds, kept beside it under a name no
// file has yet: "<file>.bak", else "<file>.1.bak", "<file>.2.bak", ... An existing name is never
// taken, whatever stands there (an older copy, the user's own file, a folder, a symbolic link),
// so every copy kept earlier stays as it was. The copy is written whole under its own temporary
// and then linked to its name, so that a kill or a failure leaves no half copy under a ".bak"
// name. `copy` is the name taken, or `failure` says why no copy could be made.
struct BackupCopy {
  std::string copy;
  std::optional<std::string> failure;
};
BackupCopy KeepBackupCopy(std::string_view file);

// Why a write of `file` failed, for the user, from the error code the failing call left:
// "it is read-only" for a file without write permission, "there is no space left on the
// device", "the device is read-only", "its folder cannot be written", or the system's text.
std::string WriteFailureReason(std::string_view file, int error);

} // namespace win
