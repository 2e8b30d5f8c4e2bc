#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Profile ("ini") files, read and written with the behaviour of the platform's profile
// functions. Files are single-byte text; they are written with CR LF line ends and read as
// editors write them: CR LF, LF or CR alone, with or without a UTF-8 byte-order mark. File names
// may be native or Windows paths (see win/paths.h); a name is found without regard to letter case.
//
// Reading: the section and the key are matched without regard to case and without their
// outer blanks (inner blanks count: "Zone  1" and "Zone 1" differ); the first of two equal
// keys wins. The value comes back without its outer blanks and without one pair of equal
// quotes (" or ') around it. A missing file, section or key gives the default text, less its
// trailing blanks. With a buffer of n characters at most n - 1 are returned, so the usual
// buffer of 255 cuts a longer value to 254.
//
// Writing: creates the file and the section when missing; replaces the key's line in place,
// appends a new key at the end of its section and a new section at the end of the file.
// The line is "key=value" exactly as given ("Total " and " 0" give "Total = 0"). A null key
// deletes the whole section, a null value deletes the key.
namespace win {

inline constexpr std::size_t profile_buffer_size = 255;

// Copies the value (or the default, null meaning "") into `buffer` of `size` characters,
// cut to size - 1 and ended by '\0'; returns the number of characters copied, '\0' not
// counted. The listing of all sections or keys (a null section or key) is not offered:
// it copies "" and returns 0.
std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* default_text, char* buffer, std::uint32_t size,
                                       const char* file);

// Nonzero on success. A null section fails, except that a call with section, key and value
// all null succeeds (it asks to flush, and nothing is cached here). Fails as well when the
// file is read-only, its folder is missing, or a name or the value holds a line break
// (which would plant other keys in the file).
int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                               const char* file);

// The same two operations with strings.
std::string read_profile_string(std::string_view section, std::string_view key,
                                std::string_view default_text, std::string_view file,
                                std::size_t buffer_size = profile_buffer_size);
bool write_profile_string(std::string_view section, std::optional<std::string_view> key,
                          std::optional<std::string_view> value, std::string_view file);

// write_profile_string with a null key.
bool delete_profile_section(std::string_view section, std::string_view file);

// One change of a profile file, as write_profile_string makes it: a key set to a value, a key
// deleted (no value), or a whole section deleted (no key). A section deleted `in_place` loses
// its keys but keeps its header where it stands, so that the keys set after it are written
// there instead of in a section moved to the end of the file.
struct ProfileChange {
  std::string section;
  std::optional<std::string> key;
  std::optional<std::string> value;
  bool in_place = false;
};

// Where the changes of write_profile_file apply: to the file as it stands, or to an empty file
// (the file is written anew).
enum class ProfileBase { existing_file, empty_file };

// Applies `changes` in their order, each as write_profile_string would, and writes the result
// in one replacement, so that a failure or a kill leaves the old file or the new one, never a
// part of the changes. False as write_profile_string is, and then the file is as it was.
bool write_profile_file(std::string_view file, const std::vector<ProfileChange>& changes,
                        ProfileBase base = ProfileBase::existing_file);

// Why the last write_profile_file of this thread refused to write `file` by a rule of its own
// (a section, key or value holding a line break, which the file's lines cannot keep), for the
// user; empty when its last write of `file` did not refuse so (it succeeded, or a call failed and
// left its errno). Such a refusal leaves errno EINVAL.
std::string ProfileWriteRefusal(std::string_view file);

// Writes `file` anew in one replacement, holding only `section` with `entries` as
// write_profile_string would leave them one after the other on an empty file.
bool write_profile_file(std::string_view file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);

class ProfileDocument;

// A name a profile file holds twice; the first copy is the one read and written. A key (of a
// section's first copy, or above the first header, where `section` is "") with the values of
// both copies as they stand, blanks around them dropped; or a whole section (no key), whose
// later copy holds `later_entries` keys that are never read.
struct ProfileRepeat {
  std::string section;
  std::optional<std::string> key = std::nullopt;
  std::string first_value = {};
  std::string later_value = {};
  std::size_t later_entries = 0;
};

// A profile file read once, for a reader of many keys: `read` gives what read_profile_string
// would, for the file as it was when the snapshot was taken.
class ProfileSnapshot {
public:
  explicit ProfileSnapshot(std::string_view file);
  ~ProfileSnapshot();
  ProfileSnapshot(const ProfileSnapshot&) = delete;
  ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;

  std::string read(std::string_view section, std::string_view key, std::string_view default_text,
                   std::size_t buffer_size = profile_buffer_size) const;

  // What the file was: missing; holding no section and no key; holding bytes no text file
  // holds (a NUL, as in a file of two-byte characters); holding `section`.
  bool missing() const { return missing_; }
  bool empty() const;
  bool binary() const { return binary_; }
  bool has_section(std::string_view section) const;
  // The names the file holds twice, in the order of their second copies.
  std::vector<ProfileRepeat> repeats() const;

private:
  std::unique_ptr<const ProfileDocument> document_;
  bool missing_ = false;
  bool binary_ = false;
};

} // namespace win
