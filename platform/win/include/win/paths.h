#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Paths as the add-in writes them ("\" separators, drive paths such as "C:\CVErrors.txt")
// turned into paths of this machine. Every file function of this library accepts either
// form, so callers pass their texts through unchanged.
namespace win {

// The folder that stands for the drives: CORVANE_DRIVE_ROOT when set, otherwise
// $XDG_DATA_HOME/corvane/drives, otherwise ~/.local/share/corvane/drives. Drive X is its
// subfolder "X" (upper case), so "c:\CVErrors.txt" is <root>/C/CVErrors.txt. Read on every
// call, so a host or a test may change it at any time.
std::filesystem::path drive_root();

// The native form of a path text: "\" and "/" both separate, runs of separators count as
// one, and a leading drive ("C:\...", "C:/...", "C:") is mapped under drive_root().
//   native_path("C:\\net\\Corvane.ini") == drive_root() / "C/net/Corvane.ini"
//   native_path("/data\\roads.shp") == "/data/roads.shp"
std::string native_path(std::string_view path);

// The one way to join a folder and a name: joins with exactly one separator whatever either
// side brings ("folder\" + "\name" included) and returns the native form. An empty folder
// gives the name alone.
//   join_path("/data/net", "Corvane.ini") == "/data/net/Corvane.ini"
//   join_path("/addin", "\\CVhelp\\corvane.chm") == "/addin/CVhelp/corvane.chm"
std::string join_path(std::string_view folder, std::string_view name);

// The entry of `folder` named `name` as the original platform finds it, without regard to
// letter case: the exact name when it exists, otherwise the first (in byte order) entry whose
// name differs only in case; nullopt when there is none or the folder cannot be read.
std::optional<std::filesystem::path> find_entry_ignoring_case(const std::filesystem::path& folder,
                                                              std::string_view name);

// native_path(), then every component that does not exist as written replaced by an existing
// entry that differs only in letter case. Components that have no such entry are kept as
// written, so the result also names files that are about to be created.
//   with ".../net/attribute.bin" on disk, resolve_path(".../net/Attribute.bin") names it.
std::filesystem::path resolve_path(std::string_view path);

} // namespace win
