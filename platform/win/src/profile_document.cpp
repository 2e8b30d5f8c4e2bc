#include "profile_document.h"

#include <algorithm>
#include <iterator>

#include "ascii.h"

namespace win {

ProfileDocument ProfileDocument::parse(std::string_view text) {
  // Many editors start a UTF-8 file with a byte-order mark; it is no part of the first line (nor
  // is a second one an editor added before it, so that the text written reads back the same).
  constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
  while (text.starts_with(utf8_mark))
    text.remove_prefix(utf8_mark.size());
  ProfileDocument document;
  std::optional<SectionAt> section; // none for the lines before the first header
  while (!text.empty()) {
    // Two searches for one character each: find_first_of tries both at every position.
    const std::size_t line_feed = text.find('\n');
    const std::size_t end = std::min(line_feed, text.substr(0, line_feed).find('\r'));
    const auto line = document.lines_.insert(document.lines_.end(), classify(text.substr(0, end)));
    if (line->kind == Kind::section)
      section = document.add_section(line);
    else if (line->kind == Kind::entry && section)
      document.index_key(**section, line);
    else if (line->kind == Kind::entry)
      document.keys_above_first_header_[index_name(line->name())].push_back(line);
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
  if (ascii::trim(section).empty() && !keys_above_first_header_.empty())
    return true;
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

std::string ProfileDocument::index_name(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::optional<ProfileDocument::SectionAt>
ProfileDocument::find_section(std::string_view section) const {
  const auto found = sections_by_name_.find(index_name(ascii::trim(section)));
  if (found == sections_by_name_.end())
    return std::nullopt;
  return found->second.front();
}

std::optional<ProfileDocument::LineAt> ProfileDocument::find_key(const NameIndex& keys,
                                                                 std::string_view key) {
  const auto found = keys.find(index_name(ascii::trim(key)));
  if (found == keys.end())
    return std::nullopt;
  return found->second.front();
}

ProfileDocument::LineAt ProfileDocument::end_of(SectionAt section) {
  const auto next = std::next(section);
  return next == sections_.end() ? lines_.end() : next->header;
}

ProfileDocument::SectionAt ProfileDocument::add_section(LineAt header) {
  const auto added = sections_.insert(sections_.end(), Section{header, {}});
  sections_by_name_[index_name(header->name())].push_back(added);
  return added;
}

void ProfileDocument::index_key(Section& section, LineAt line) {
  section.keys[index_name(line->name())].push_back(line);
}

std::optional<std::string_view> ProfileDocument::raw_value(std::string_view section,
                                                           std::string_view key) const {
  std::optional<LineAt> line;
  if (ascii::trim(section).empty() && !keys_above_first_header_.empty()) {
    line = find_key(keys_above_first_header_, key);
  } else if (const auto found = find_section(section)) {
    line = find_key((*found)->keys, key);
  }
  if (!line)
    return std::nullopt;
  const std::string_view text = (*line)->text;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return std::string_view{};
  return text.substr(equals + 1);
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  Line entry{std::string(key) + "=" + std::string(value), Kind::entry};
  const auto found = find_section(section);
  if (!found) {
    std::string header = "[";
    header.append(section).append("]");
    const auto added =
        add_section(lines_.insert(lines_.end(), Line{std::move(header), Kind::section}));
    index_key(*added, lines_.insert(lines_.end(), std::move(entry)));
    return;
  }
  if (const auto line = find_key((*found)->keys, key)) {
    // The new line's name is the key found: its index entry stays as it is.
    **line = std::move(entry);
    return;
  }
  // After the section's last entry, so that blank lines before the next header stay there.
  LineAt at = end_of(*found);
  while (std::prev(at) != (*found)->header && std::prev(at)->kind == Kind::other)
    --at;
  index_key(**found, lines_.insert(at, std::move(entry)));
}

bool ProfileDocument::erase_key(std::string_view section, std::string_view key) {
  const auto found = find_section(section);
  if (!found)
    return false;
  auto& keys = (*found)->keys;
  const auto line = keys.find(index_name(ascii::trim(key)));
  if (line == keys.end())
    return false;
  lines_.erase(line->second.front());
  line->second.erase(line->second.begin());
  if (line->second.empty())
    keys.erase(line);
  return true;
}

bool ProfileDocument::erase_section(std::string_view section) {
  const auto name = sections_by_name_.find(index_name(ascii::trim(section)));
  if (name == sections_by_name_.end())
    return false;
  const SectionAt first = name->second.front();
  lines_.erase(first->header, end_of(first));
  sections_.erase(first);
  name->second.erase(name->second.begin());
  if (name->second.empty())
    sections_by_name_.erase(name);
  return true;
}

bool ProfileDocument::erase_keys(std::string_view section) {
  const auto found = find_section(section);
  if (!found || (*found)->keys.empty())
    return false;
  for (const auto& [name, lines] : (*found)->keys)
    for (const LineAt line : lines)
      lines_.erase(line);
  (*found)->keys.clear();
  return true;
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
