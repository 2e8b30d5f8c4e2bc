#include "profile_document.h"

#include <algorithm>
#include <iterator>

#include "ascii.h"

namespace win {

ProfileDocument::ProfileDocument()
    : memory_(std::make_unique<std::pmr::monotonic_buffer_resource>()), lines_(memory_.get()),
      keys_above_first_header_(memory_.get()) {}

std::string_view ProfileDocument::keep(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts)
    size += part.size();
  if (size == 0)
    return {};
  char* const kept = static_cast<char*>(memory_->allocate(size, 1));
  char* at = kept;
  for (const std::string_view part : parts)
    at = std::copy(part.begin(), part.end(), at);
  return {kept, size};
}

ProfileDocument ProfileDocument::parse(std::string_view text) {
  // Many editors start a UTF-8 file with a byte-order mark; it is no part of the first line (nor
  // is a second one an editor added before it, so that the text written reads back the same).
  constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
  while (text.starts_with(utf8_mark))
    text.remove_prefix(utf8_mark.size());
  ProfileDocument document;
  text = document.keep({text}); // the lines read are views of it
  std::optional<SectionAt> section; // none for the lines before the first header
  while (!text.empty()) {
    // Two searches for one character each: find_first_of tries both at every position.
    const std::size_t line_feed = text.find('\n');
    const std::size_t end = std::min(line_feed, text.substr(0, line_feed).find('\r'));
    const auto line = document.lines_.insert(document.lines_.end(), classify(text.substr(0, end)));
    if (line->kind == Kind::section)
      section = document.add_section(line);
    else if (line->kind == Kind::entry && !section)
      index_key(document.keys_above_first_header_, line);
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
  return Line{text, kind};
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

namespace {

constexpr char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::size_t ProfileDocument::CaselessHash::operator()(std::string_view name) const {
  std::size_t hash = 14695981039346656037u; // FNV-1a over the lower-case bytes
  for (const char c : name)
    hash = (hash ^ static_cast<unsigned char>(lower(c))) * 1099511628211u;
  return hash;
}

bool ProfileDocument::CaselessEqual::operator()(std::string_view a, std::string_view b) const {
  return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

std::optional<ProfileDocument::SectionAt>
ProfileDocument::find_section(std::string_view section) const {
  const auto found = sections_by_name_.find(ascii::trim(section));
  if (found == sections_by_name_.end())
    return std::nullopt;
  return found->second.front();
}

std::optional<ProfileDocument::LineAt> ProfileDocument::find_key(const NameIndex& keys,
                                                                 std::string_view key) {
  const auto found = keys.find(ascii::trim(key));
  if (found == keys.end())
    return std::nullopt;
  return found->second;
}

ProfileDocument::LineAt ProfileDocument::end_of(SectionAt section) {
  const auto next = std::next(section);
  return next == sections_.end() ? lines_.end() : next->header;
}

ProfileDocument::SectionAt ProfileDocument::add_section(LineAt header) {
  const auto added = sections_.insert(sections_.end(), Section{header, NameIndex(memory_.get())});
  const std::string_view name = header->name();
  auto found = sections_by_name_.find(name);
  if (found == sections_by_name_.end())
    found = sections_by_name_.emplace(std::string(name), std::vector<SectionAt>{}).first;
  found->second.push_back(added);
  return added;
}

ProfileDocument::NameIndex& ProfileDocument::keys_of(SectionAt section) const {
  if (!section->indexed) {
    // Up to the next header, the first line of the next section.
    for (LineAt line = std::next(section->header);
         line != lines_.end() && line->kind != Kind::section; ++line)
      if (line->kind == Kind::entry)
        index_key(section->keys, line);
    section->indexed = true;
  }
  return section->keys;
}

void ProfileDocument::index_key(NameIndex& keys, LineAt line) {
  keys.emplace(line->name(), line); // a name indexed already keeps its first line
}

std::vector<ProfileRepeat> ProfileDocument::repeats() const {
  std::vector<ProfileRepeat> found;
  const auto value_of = [](const Line& line) {
    const std::size_t equals = line.text.find('=');
    return std::string(
        equals == std::string_view::npos ? "" : ascii::trim(line.text.substr(equals + 1)));
  };
  // The keys from `line` up to the next header.
  const auto keys_from = [&](std::string_view section, Lines::const_iterator line) {
    std::unordered_map<std::string_view, const Line*, CaselessHash, CaselessEqual> first;
    for (; line != lines_.end() && line->kind != Kind::section; ++line) {
      if (line->kind != Kind::entry)
        continue;
      const auto [earlier, added] = first.emplace(line->name(), &*line);
      if (!added)
        found.push_back({.section = std::string(section),
                         .key = std::string(line->name()),
                         .first_value = value_of(*earlier->second),
                         .later_value = value_of(*line)});
    }
  };
  keys_from("", lines_.begin());
  for (auto section = sections_.begin(); section != sections_.end(); ++section) {
    const std::string_view name = section->header->name();
    if (sections_by_name_.find(name)->second.front() == section) {
      keys_from(name, std::next(section->header));
      continue;
    }
    std::size_t entries = 0;
    for (auto line = std::next(section->header);
         line != lines_.end() && line->kind != Kind::section; ++line)
      entries += line->kind == Kind::entry ? 1 : 0;
    found.push_back({.section = std::string(name), .later_entries = entries});
  }
  return found;
}

std::optional<std::string_view> ProfileDocument::raw_value(std::string_view section,
                                                           std::string_view key) const {
  std::optional<LineAt> line;
  if (ascii::trim(section).empty() && !keys_above_first_header_.empty()) {
    line = find_key(keys_above_first_header_, key);
  } else if (const auto found = find_section(section)) {
    line = find_key(keys_of(*found), key);
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
  const Line entry{keep({key, "=", value}), Kind::entry};
  const auto found = find_section(section);
  if (!found) {
    const Line header{keep({"[", section, "]"}), Kind::section};
    const auto added = add_section(lines_.insert(lines_.end(), header));
    index_key(keys_of(added), lines_.insert(lines_.end(), entry));
    return;
  }
  if (const auto line = find_key(keys_of(*found), key)) {
    // The index's name is a view of the old text, which stays in the document's memory.
    **line = entry;
    return;
  }
  // After the section's last entry, so that blank lines before the next header stay there.
  LineAt at = end_of(*found);
  while (std::prev(at) != (*found)->header && std::prev(at)->kind == Kind::other)
    --at;
  index_key(keys_of(*found), lines_.insert(at, entry));
}

bool ProfileDocument::erase_key(std::string_view section, std::string_view key) {
  const auto found = find_section(section);
  if (!found)
    return false;
  auto& keys = keys_of(*found);
  const auto indexed = keys.find(ascii::trim(key));
  if (indexed == keys.end())
    return false;
  // A later line of the name, if the section holds one, is the one read from now on.
  const LineAt erased = indexed->second;
  const LineAt end = end_of(*found);
  const auto later = std::find_if(std::next(erased), end, [&](const Line& line) {
    return line.kind == Kind::entry && CaselessEqual{}(line.name(), indexed->first);
  });
  if (later == end)
    keys.erase(indexed);
  else
    indexed->second = later;
  lines_.erase(erased);
  return true;
}

bool ProfileDocument::erase_section(std::string_view section) {
  const auto name = sections_by_name_.find(ascii::trim(section));
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
  if (!found)
    return false;
  // Every entry between the header and the next, a name's later lines included.
  bool erased = false;
  const LineAt end = end_of(*found);
  for (LineAt line = std::next((*found)->header); line != end;) {
    erased |= line->kind == Kind::entry;
    line = line->kind == Kind::entry ? lines_.erase(line) : std::next(line);
  }
  (*found)->keys.clear();
  (*found)->indexed = true;
  return erased;
}

std::string ProfileDocument::text() const {
  std::size_t size = 0;
  for (const Line& line : lines_)
    size += line.text.size() + 2;
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

} // namespace win
