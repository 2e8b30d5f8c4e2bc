#pragma once

#include <initializer_list>
#include <list>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "win/profile.h"

namespace win {

// The lines of a profile ("ini") file, kept as they were read so that a write changes only
// the line it concerns. Section and key names are found without regard to letter case and
// without their outer blanks; inner blanks count ("Zone  1" is not "Zone 1"). When a name
// occurs twice, the first occurrence is the one read and written. The section of no name ("")
// holds the entries above the first header, as a file that lost its first header line has
// them; it is there to be read only when it holds an entry. The sections are indexed when
// the text is parsed, and a section's keys at the first look into it, so that a save of many
// keys finds each in constant time rather than by scanning the file. A document lives for one read or one save: its lines,
// their texts and its indexes are taken from one growing block of memory, given back at once when
// it goes, so that a file of thousands of lines costs a few allocations, not several per line.
class ProfileDocument {
public:
  ProfileDocument();
  // The indexes point into the lines and the lines into the document's memory: a copy would point
  // into the original, and so would an assignment, which the lines' memory does not follow.
  ProfileDocument(const ProfileDocument&) = delete;
  ProfileDocument& operator=(const ProfileDocument&) = delete;
  ProfileDocument(ProfileDocument&&) = default;
  ProfileDocument& operator=(ProfileDocument&&) = delete;

  // Lines end in CR LF, LF or CR alone, as editors write them; a UTF-8 byte-order mark at the
  // start is dropped.
  static ProfileDocument parse(std::string_view text);

  // Whether the file holds no section and no key (blank lines at most).
  bool empty() const;
  bool has_section(std::string_view section) const;
  // The names written twice: keys within the entries above the first header and within each
  // section's first copy, and every later copy of a section.
  std::vector<ProfileRepeat> repeats() const;

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
    std::string_view text; // in memory_
    Kind kind = Kind::other;
    std::string_view name() const; // the trimmed section or key name
  };
  using Lines = std::pmr::list<Line>;
  using LineAt = Lines::iterator;
  // Names compared without regard to letter case, looked up from a view without a copy.
  struct CaselessHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct CaselessEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // The first line of each name, by the name in its text: the one read and written. A name
  // rarely occurs twice, so a later line of it is looked for only when the first is erased.
  using NameIndex = std::pmr::unordered_map<std::string_view, LineAt, CaselessHash, CaselessEqual>;
  // A section's header and the entries up to the next section's header.
  struct Section {
    LineAt header;
    NameIndex keys;       // see keys_of
    bool indexed = false; // whether `keys` holds the section's keys yet
  };
  using SectionAt = std::list<Section>::iterator;

  // The `parts` one after the other, copied into the document's memory.
  std::string_view keep(std::initializer_list<std::string_view> parts);
  static Line classify(std::string_view text);
  std::optional<SectionAt> find_section(std::string_view section) const;
  static std::optional<LineAt> find_key(const NameIndex& keys, std::string_view key);
  // The line after the section's last: the next section's header, or the end.
  LineAt end_of(SectionAt section);
  SectionAt add_section(LineAt header);
  // The keys of `section`, indexed at the first look into it: a save rewrites a section or two
  // of a file it parses whole, and most sections are then never looked into.
  NameIndex& keys_of(SectionAt section) const;
  // Indexes `line` unless an earlier line has its name.
  static void index_key(NameIndex& keys, LineAt line);

  // Heap memory, so that a move leaves it where the lines point.
  std::unique_ptr<std::pmr::monotonic_buffer_resource> memory_;
  Lines lines_;
  std::list<Section> sections_; // in file order
  NameIndex keys_above_first_header_;
  // Each name's sections in file order (a file seldom holds more than ten).
  std::unordered_map<std::string, std::vector<SectionAt>, CaselessHash, CaselessEqual>
      sections_by_name_;
};

} // namespace win
