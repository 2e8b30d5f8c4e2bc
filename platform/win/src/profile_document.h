#pragma once

#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace win {

// The lines of a profile ("ini") file, kept as they were read so that a write changes only
// the line it concerns. Section and key names are found without regard to letter case and
// without their outer blanks; inner blanks count ("Zone  1" is not "Zone 1"). When a name
// occurs twice, the first occurrence is the one read and written. The section of no name ("")
// holds the entries above the first header, as a file that lost its first header line has
// them; it is there to be read only when it holds an entry. The sections and their keys are
// indexed once, when the text is parsed, so that a save of many keys finds each in constant
// time rather than by scanning the file.
class ProfileDocument {
public:
  ProfileDocument() = default;
  // The indexes point into the lines: a copy would point into the original.
  ProfileDocument(const ProfileDocument&) = delete;
  ProfileDocument& operator=(const ProfileDocument&) = delete;
  ProfileDocument(ProfileDocument&&) = default;
  ProfileDocument& operator=(ProfileDocument&&) = default;

  // Lines end in CR LF, LF or CR alone, as editors write them; a UTF-8 byte-order mark at the
  // start is dropped.
  static ProfileDocument parse(std::string_view text);

  // Whether the file holds no section and no key (blank lines at most).
  bool empty() const;
  bool has_section(std::string_view section) const;

  // The text after the "=" of the key, as it stands in the file; a line without "=" is a key
  // with an empty value. nullopt when the section or the key is missing.
  std::optional<std::string_view> raw_value(std::string_view section, std::string_view key) const;

  // Replaces the key's line in place by "key=value" (exactly as given), or appends that line
  // after the last entry of the section, or appends the section at the end.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // The erasers answer whether there was something to erase.
  bool erase_key(std::string_view section, std::string_view key);
  // Removes the section's header and every line up to the next section.
  bool erase_section(std::string_view section);
  // Removes the section's keys, keeping its header and any other lines where they stand.
  bool erase_keys(std::string_view section);

  // Every line ended by CR LF.
  std::string text() const;

private:
  enum class Kind { other, section, entry };
  struct Line {
    std::string text;
    Kind kind = Kind::other;
    std::string_view name() const; // the trimmed section or key name
  };
  using LineAt = std::list<Line>::iterator;
  // Lines by their name in lower case, each name's lines in file order (a name rarely occurs
  // twice, so taking the first off the front costs nothing worth a deque).
  using NameIndex = std::unordered_map<std::string, std::vector<LineAt>>;
  // A section's header and the entries up to the next section's header.
  struct Section {
    LineAt header;
    NameIndex keys;
  };
  using SectionAt = std::list<Section>::iterator;

  static Line classify(std::string_view text);
  static std::string index_name(std::string_view name);
  std::optional<SectionAt> find_section(std::string_view section) const;
  static std::optional<LineAt> find_key(const NameIndex& keys, std::string_view key);
  // The line after the section's last: the next section's header, or the end.
  LineAt end_of(SectionAt section);
  SectionAt add_section(LineAt header);
  void index_key(Section& section, LineAt line);

  std::list<Line> lines_;
  std::list<Section> sections_; // in file order
  NameIndex keys_above_first_header_;
  std::unordered_map<std::string, std::vector<SectionAt>> sections_by_name_;
};

} // namespace win
