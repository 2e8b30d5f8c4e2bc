#include "win/profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "ascii.h"
#include "file_contents.h"
#include "profile_document.h"
#include "win/paths.h"

namespace win {
namespace {

// One pair of equal quotes around the whole value is not part of it: "'a b'" reads a b.
std::string_view without_quotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// One look at each character: find_first_of searches the set of two for every one.
bool has_line_break(std::string_view text) {
  return std::ranges::any_of(text, [](char c) { return c == '\r' || c == '\n'; });
}

bool has_line_break(const std::optional<std::string>& text) {
  return text && has_line_break(std::string_view(*text));
}

} // namespace

ProfileSnapshot::ProfileSnapshot(std::string_view file) {
  const auto contents = read_file_contents(resolve_path(file));
  missing_ = !contents;
  binary_ = contents && contents->find('\0') != std::string::npos;
  document_ =
      std::make_unique<const ProfileDocument>(ProfileDocument::parse(contents.value_or("")));
}

bool ProfileSnapshot::empty() const {
  return document_->empty();
}

bool ProfileSnapshot::has_section(std::string_view section) const {
  return document_->has_section(section);
}

std::vector<ProfileRepeat> ProfileSnapshot::repeats() const {
  return document_->repeats();
}

ProfileSnapshot::~ProfileSnapshot() = default;

std::string ProfileSnapshot::read(std::string_view section, std::string_view key,
                                  std::string_view default_text, std::size_t buffer_size) const {
  if (buffer_size == 0)
    return {};
  std::string value;
  if (const auto raw = document_->raw_value(section, key))
    value = without_quotes(ascii::trim(*raw));
  else
    value = ascii::trim_end(default_text);
  if (value.size() > buffer_size - 1)
    value.resize(buffer_size - 1);
  return value;
}

std::string read_profile_string(std::string_view section, std::string_view key,
                                std::string_view default_text, std::string_view file,
                                std::size_t buffer_size) {
  return ProfileSnapshot(file).read(section, key, default_text, buffer_size);
}

bool write_profile_string(std::string_view section, std::optional<std::string_view> key,
                          std::optional<std::string_view> value, std::string_view file) {
  const auto text = [](std::optional<std::string_view> part) {
    return part ? std::optional<std::string>(*part) : std::nullopt;
  };
  return write_profile_file(file,
                            {{std::string(section), text(key), key ? text(value) : std::nullopt}});
}

bool delete_profile_section(std::string_view section, std::string_view file) {
  return write_profile_string(section, std::nullopt, std::nullopt, file);
}

namespace {

// The refusal of this thread's last write, and the file it was of.
struct Refusal {
  std::filesystem::path file;
  std::string reason;
};

Refusal& last_refusal() {
  thread_local Refusal refusal;
  return refusal;
}

// The part of `change` that holds a line break, which no line of the file can keep; null when
// none does.
const char* part_with_line_break(const ProfileChange& change) {
  if (has_line_break(std::string_view(change.section)))
    return "section name";
  if (has_line_break(change.key))
    return "key";
  if (has_line_break(change.value))
    return "value";
  return nullptr;
}

} // namespace

std::string ProfileWriteRefusal(std::string_view file) {
  const auto& refusal = last_refusal();
  return refusal.file == resolve_path(file) ? refusal.reason : std::string();
}

bool write_profile_file(std::string_view file, const std::vector<ProfileChange>& changes,
                        ProfileBase base) {
  const auto path = resolve_path(file);
  last_refusal() = {path, {}};
  for (const auto& change : changes)
    if (const char* part = part_with_line_break(change)) {
      last_refusal().reason = std::string("the ") + part +
                              " to be saved holds a line break, which a settings file cannot keep";
      errno = EINVAL;
      return false;
    }
  std::optional<std::string> contents;
  if (base == ProfileBase::existing_file) {
    contents = read_file_contents(path);
    if (!contents && std::filesystem::exists(path))
      return false; // there but unreadable
  }
  auto document = ProfileDocument::parse(contents.value_or(""));
  bool changed = base == ProfileBase::empty_file;
  for (const auto& change : changes) {
    if (change.key && change.value) {
      document.set(change.section, *change.key, *change.value);
      changed = true;
    } else {
      changed |= change.key        ? document.erase_key(change.section, *change.key)
                 : change.in_place ? document.erase_keys(change.section)
                                   : document.erase_section(change.section);
    }
  }
  // Nothing to delete leaves the file as it is (and a missing file missing).
  return !changed || replace_file_contents(path, document.text());
}

bool write_profile_file(std::string_view file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<ProfileChange> changes;
  changes.reserve(entries.size());
  for (const auto& [key, value] : entries)
    changes.push_back({std::string(section), key, value});
  return write_profile_file(file, changes, ProfileBase::empty_file);
}

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* default_text, char* buffer, std::uint32_t size,
                                       const char* file) {
  if (!buffer || size == 0)
    return 0;
  std::string value;
  if (section && key) // no file reads as a missing file
    value =
        read_profile_string(section, key, default_text ? default_text : "", file ? file : "", size);
  std::memcpy(buffer, value.data(), value.size());
  buffer[value.size()] = '\0';
  return static_cast<std::uint32_t>(value.size());
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                               const char* file) {
  if (!file)
    return 0;
  if (!section)
    return !key && !value ? 1 : 0;
  const auto optional_text = [](const char* text) {
    return text ? std::optional<std::string_view>(text) : std::nullopt;
  };
  return write_profile_string(section, optional_text(key), optional_text(value), file) ? 1 : 0;
}

} // namespace win
