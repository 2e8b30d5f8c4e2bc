#include "win/paths.h"

#include <cstdlib>
#include <system_error>

#include "com/letter_case.h"
#include "files/folder_names.h"

namespace win {
namespace {

namespace fs = std::filesystem;

constexpr bool is_separator(char c) {
  return c == '\\' || c == '/';
}
constexpr bool is_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A non-empty environment value, or nullopt.
std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value)
    return std::nullopt;
  return std::string(value);
}

// Appends `path` with "/" for every run of separators.
void append_with_slashes(std::string& out, std::string_view path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!is_separator(path[i])) {
      out += path[i];
      continue;
    }
    if (out.empty() || out.back() != '/')
      out += '/';
  }
}

} // namespace

fs::path drive_root() {
  if (auto root = environment("CORVANE_DRIVE_ROOT"))
    return *root;
  if (auto data = environment("XDG_DATA_HOME"); data && fs::path(*data).is_absolute())
    return fs::path(*data) / "corvane" / "drives";
  if (auto home = environment("HOME"))
    return fs::path(*home) / ".local" / "share" / "corvane" / "drives";
  return fs::temp_directory_path() / "corvane" / "drives";
}

std::string native_path(std::string_view path) {
  std::string out;
  if (path.size() >= 2 && is_letter(path[0]) && path[1] == ':') {
    out = drive_root().string();
    if (out.empty() || out.back() != '/')
      out += '/';
    out += static_cast<char>(path[0] & ~0x20); // the drive folder is the upper-case letter
    out += '/';
    path.remove_prefix(2);
  }
  append_with_slashes(out, path);
  return out;
}

std::string join_path(std::string_view folder, std::string_view name) {
  if (folder.empty())
    return native_path(name);
  std::string joined(folder);
  joined += '/';
  joined += name;
  return native_path(joined);
}

std::optional<fs::path> find_entry_ignoring_case(const fs::path& folder, std::string_view name) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(folder / name, error)))
    return folder / name;
  std::optional<std::string> best;
  const auto names = files::folder_names(folder);
  for (const std::string& entry : *names)
    if (com::equal_ignoring_case(entry, name) && (!best || entry < *best))
      best = entry;
  if (!best)
    return std::nullopt;
  return folder / *best;
}

fs::path resolve_path(std::string_view path) {
  const fs::path native = native_path(path);
  std::error_code error;
  if (fs::exists(fs::symlink_status(native, error)))
    return native;

  fs::path resolved = native.root_path();
  bool still_on_disk = true; // past the first missing component there is nothing to match
  for (const fs::path& part : native.relative_path()) {
    if (still_on_disk) {
      const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
      if (auto found = find_entry_ignoring_case(folder, part.string())) {
        resolved /= found->filename();
        continue;
      }
      still_on_disk = false;
    }
    resolved /= part;
  }
  return resolved;
}

} // namespace win
