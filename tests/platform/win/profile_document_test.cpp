#include "profile_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The rules of the profile lines without any index: every lookup scans the lines. The indexed
// document must write the same bytes after any sequence of changes.
class ScanningProfile {
public:
  explicit ScanningProfile(const std::vector<std::string>& lines) {
    for (const auto& text : lines)
      lines_.push_back({text, kind_of(text)});
  }

  void set(std::string_view section, std::string_view key, std::string_view value) {
    Line entry{std::string(key) + "=" + std::string(value), Kind::entry};
    const auto range = find_section(section);
    if (!range) {
      lines_.push_back({"[" + std::string(section) + "]", Kind::section});
      lines_.push_back(entry);
      return;
    }
    if (const auto line = find_key(*range, key)) {
      lines_[*line] = entry;
      return;
    }
    std::size_t at = range->second;
    while (at > range->first && lines_[at - 1].kind == Kind::other)
      --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
  }
  bool erase_key(std::string_view section, std::string_view key) {
    const auto range = find_section(section);
    const auto line = range ? find_key(*range, key) : std::nullopt;
    if (line)
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return line.has_value();
  }
  bool erase_section(std::string_view section) {
    const auto range = find_section(section);
    if (range)
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->first - 1),
                   lines_.begin() + static_cast<std::ptrdiff_t>(range->second));
    return range.has_value();
  }
  bool erase_keys(std::string_view section) {
    const auto range = find_section(section);
    if (!range)
      return false;
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(range->first);
    const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(range->second);
    const auto kept =
        std::remove_if(first, last, [](const Line& line) { return line.kind == Kind::entry; });
    const bool erased = kept != last;
    lines_.erase(kept, last);
    return erased;
  }
  std::string text() const {
    std::string out;
    for (const auto& line : lines_)
      out += line.text + "\r\n";
    return out;
  }

private:
  enum class Kind { other, section, entry };
  struct Line {
    std::string text;
    Kind kind;
  };
  static std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
      return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
  }
  static std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }
  static Kind kind_of(std::string_view text) {
    const auto trimmed = trim(text);
    return trimmed.empty() ? Kind::other : trimmed.front() == '[' ? Kind::section : Kind::entry;
  }
  static std::string name(const Line& line) {
    const auto trimmed = trim(line.text);
    if (line.kind == Kind::section) {
      const auto inside = trimmed.substr(1);
      return lower(trim(inside.substr(0, inside.find(']'))));
    }
    return lower(trim(trimmed.substr(0, trimmed.find('='))));
  }
  // Entries [first, second) of the first section so named.
  std::optional<std::pair<std::size_t, std::size_t>> find_section(std::string_view section) {
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].kind == Kind::section && name(lines_[i]) == lower(trim(section))) {
        std::size_t end = i + 1;
        while (end < lines_.size() && lines_[end].kind != Kind::section)
          ++end;
        return std::pair{i + 1, end};
      }
    return std::nullopt;
  }
  std::optional<std::size_t> find_key(std::pair<std::size_t, std::size_t> range,
                                      std::string_view key) {
    for (std::size_t i = range.first; i < range.second; ++i)
      if (lines_[i].kind == Kind::entry && name(lines_[i]) == lower(trim(key)))
        return i;
    return std::nullopt;
  }

  std::vector<Line> lines_;
};

// Files of few names, so that duplicate sections and keys, names in another case or with outer
// blanks, keys holding "=" and blank lines before a header all meet the same changes.
TEST(ProfileDocument, WritesWhatAScanOfTheLinesWritesAfterAnyChanges) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const std::vector<std::string> sections{"A", "a ", " B", "[C]", "C"};
  const std::vector<std::string> keys{"k", " K ", "j", "j=1", "", "[x"};
  const std::vector<std::string> other_lines{"",      "  ", "[A]", "[ b ]", "[C", "k=1",
                                             " K =2", "j",  "j=3", "=4",    "x=y"};
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  for (int file = 0; file < 300; ++file) {
    std::vector<std::string> lines(std::uniform_int_distribution<std::size_t>(0, 12)(random));
    std::ranges::generate(lines, [&] { return pick(other_lines); });
    std::string text;
    for (const auto& line : lines)
      text += line + (random() % 2 ? "\r\n" : "\n");
    auto indexed = win::ProfileDocument::parse(text);
    ScanningProfile scanned(lines);
    for (int change = 0; change < 20; ++change) {
      const auto section = pick(sections);
      const auto key = pick(keys);
      switch (random() % 4) {
      case 0:
        indexed.set(section, key, std::to_string(change));
        scanned.set(section, key, std::to_string(change));
        break;
      case 1:
        ASSERT_EQ(indexed.erase_key(section, key), scanned.erase_key(section, key));
        break;
      case 2:
        ASSERT_EQ(indexed.erase_section(section), scanned.erase_section(section));
        break;
      default:
        ASSERT_EQ(indexed.erase_keys(section), scanned.erase_keys(section));
      }
      ASSERT_EQ(indexed.text(), scanned.text()) << "file " << file << ", change " << change;
    }
  }
}

} // namespace
