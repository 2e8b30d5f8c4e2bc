#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// A copy of a file that is about to lose some of what it holds, kept beside it under a name no
// file has yet: "<file>.bak", else "<file>.1.bak", "<file>.2.bak", ... An existing name is never
// taken, whatever stands there (an older copy, the user's own file, a folder, a symbolic link),
// so every copy kept earlier stays as it was. The copy is written whole under its own temporary
// and then linked to its name, so that a kill or a failure leaves no half copy under a ".bak"
// name. `copy` is the name taken, or `failure` says why no copy could be made.
// `earlier` names copies made before of the same file (by a build that was then cut short): one
// of them that is a plain file holding the file's bytes as they are now is the copy, and none is
// made (`reused`), so that a build done again after a kill keeps one copy, not two.
struct BackupCopy {
  std::string copy;
  std::optional<std::string> failure;
  bool reused = false;
};
BackupCopy KeepBackupCopy(std::string_view file, const std::vector<std::string>& earlier = {});

// Deletes the temporaries of copies of `file` that a kill while a copy was written left
// ("<file>.bak.tmp", "<file>.3.bak.tmp"): plain files under the system's own scratch names,
// never another file. They would otherwise stand beside the copies for good.
void RemoveStaleCopyTemporaries(std::string_view file);

// The copies of `file` there are (plain files under the names KeepBackupCopy gives), each named
// as `file` is.
std::vector<std::string> BackupCopiesOf(std::string_view file);

// Why a write of `file` failed, for the user, from the error code the failing call left:
// "it is read-only" for a file without write permission, "there is no space left on the
// device", "the device is read-only", "its folder cannot be written", or the system's text; for
// a settings file whose last write refused by its own rule, that rule (ProfileWriteRefusal).
std::string WriteFailureReason(std::string_view file, int error);

} // namespace win
