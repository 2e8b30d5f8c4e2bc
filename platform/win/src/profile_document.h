#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// The lines of a profile ("ini") file, kept as they were read so that a write changes only
// the line it concerns. Section and key names are found without regard to letter case and
// without their outer blanks; inner blanks count ("Zone  1" is not "Zone 1"). When a name
// occurs twice, the first occurrence is the one read and written. The section of no name ("")
// holds the entries above the first header, as a file that lost its first header line has
// them; it is there only when it holds an entry.
class ProfileDocument {
public:
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
  // Lines [begin, end) of a section's entries (begin is past the header).
  struct Range {
    std::size_t header;
    std::size_t begin;
    std::size_t end;
  };

  static Line classify(std::string_view text);
  std::optional<Range> find_section(std::string_view section) const;
  std::optional<std::size_t> find_key(const Range& range, std::string_view key) const;

  std::vector<Line> lines_;
};

} // namespace win
