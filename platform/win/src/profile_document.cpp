#include "profile_document.h"

#include <algorithm>

#include "ascii.h"
#include "com/letter_case.h"

namespace win {

ProfileDocument ProfileDocument::parse(std::string_view text) {
  // Many editors start a UTF-8 file with a byte-order mark; it is no part of the first line (nor
  // is a second one an editor added before it, so that the text written reads back the same).
  constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
  while (text.starts_with(utf8_mark))
    text.remove_prefix(utf8_mark.size());
  ProfileDocument document;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    document.lines_.push_back(classify(text.substr(0, end)));
    if (end == std::string_view::npos)
      break;
    const bool cr_lf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (cr_lf ? 2 : 1));
  }
  return document;
}

bool ProfileDocument::empty() const {
  return std::ranges::none_of(lines_, [](const Line& line) { return line.kind != Kind::other; });
}

bool ProfileDocument::has_section(std::string_view section) const {
  return find_section(section).has_value();
}

ProfileDocument::Line ProfileDocument::classify(std::string_view text) {
  const std::string_view trimmed = ascii::trim(text);
  Kind kind = Kind::entry;
  if (trimmed.empty())
    kind = Kind::other;
  else if (trimmed.front() == '[')
    kind = Kind::section;
  return Line{std::string(text), kind};
}

std::string_view ProfileDocument::Line::name() const {
  const std::string_view trimmed = ascii::trim(text);
  if (kind == Kind::section) {
    // "[name]"; a header without its closing bracket names the rest of the line.
    const std::string_view inside = trimmed.substr(1);
    return ascii::trim(inside.substr(0, inside.find(']')));
  }
  return ascii::trim(trimmed.substr(0, trimmed.find('=')));
}

std::optional<ProfileDocument::Range>
ProfileDocument::find_section(std::string_view section) const {
  const std::string_view wanted = ascii::trim(section);
  if (wanted.empty()) {
    // The entries above the first header: a file that lost its first header line.
    std::size_t end = 0;
    while (end < lines_.size() && lines_[end].kind != Kind::section)
      ++end;
    const bool entries = std::any_of(lines_.begin(), lines_.begin() + static_cast<long>(end),
                                     [](const Line& line) { return line.kind == Kind::entry; });
    if (entries)
      return Range{0, 0, end};
    return std::nullopt;
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::section || !com::equal_ignoring_case(lines_[i].name(), wanted))
      continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::section)
      ++end;
    return Range{i, i + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::find_key(const Range& range,
                                                     std::string_view key) const {
  const std::string_view wanted = ascii::trim(key);
  for (std::size_t i = range.begin; i < range.end; ++i)
    if (lines_[i].kind == Kind::entry && com::equal_ignoring_case(lines_[i].name(), wanted))
      return i;
  return std::nullopt;
}

std::optional<std::string_view> ProfileDocument::raw_value(std::string_view section,
                                                           std::string_view key) const {
  const auto range = find_section(section);
  if (!range)
    return std::nullopt;
  const auto line = find_key(*range, key);
  if (!line)
    return std::nullopt;
  const std::string_view text = lines_[*line].text;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return std::string_view{};
  return text.substr(equals + 1);
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  Line entry{std::string(key) + "=" + std::string(value), Kind::entry};
  auto range = find_section(section);
  if (!range) {
    std::string header = "[";
    header.append(section).append("]");
    lines_.push_back(Line{std::move(header), Kind::section});
    lines_.push_back(std::move(entry));
    return;
  }
  if (const auto line = find_key(*range, key)) {
    lines_[*line] = std::move(entry);
    return;
  }
  // After the section's last entry, so that blank lines before the next header stay there.
  std::size_t at = range->end;
  while (at > range->begin && lines_[at - 1].kind == Kind::other)
    --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

bool ProfileDocument::erase_key(std::string_view section, std::string_view key) {
  const auto range = find_section(section);
  if (!range)
    return false;
  const auto line = find_key(*range, key);
  if (!line)
    return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
  return true;
}

bool ProfileDocument::erase_section(std::string_view section) {
  const auto range = find_section(section);
  if (!range)
    return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
  return true;
}

bool ProfileDocument::erase_keys(std::string_view section) {
  const auto range = find_section(section);
  if (!range)
    return false;
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(range->begin);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(range->end);
  const auto kept =
      std::remove_if(first, last, [](const Line& line) { return line.kind == Kind::entry; });
  const bool erased = kept != last;
  lines_.erase(kept, last);
  return erased;
}

std::string ProfileDocument::text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

} // namespace win
