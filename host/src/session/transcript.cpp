#include "session/transcript.h"

#include <algorithm>
#include <cstddef>

#include "data/letter_case.h"

namespace host::session {

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    default:
      out += c;
    }
  }
  return out + "\"";
}

bool unquote(std::string_view text, std::string& out) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"')
    return false;
  out.clear();
  const auto body = text.substr(1, text.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '"')
      return false;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == body.size())
      return false;
    switch (body[i]) {
    case '"':
      out += '"';
      break;
    case '\\':
      out += '\\';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    default:
      return false;
    }
  }
  return true;
}

std::string comma_separated(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names)
    out += (out.empty() ? "" : ", ") + name;
  return out;
}

namespace {

// Edits from `a` to `b`: insertions, deletions, substitutions and swaps of two neighbours.
std::size_t edits_between(std::string_view a, std::string_view b) {
  // Three rows of the table: the one before the previous (for swaps), the previous, this one.
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        row[j] = std::min(row[j], before[j - 2] + 1);
    }
    std::swap(before, previous);
    std::swap(previous, row);
  }
  return previous[b.size()];
}

} // namespace

std::vector<std::string> nearest_names(std::string_view typed,
                                       const std::vector<std::string>& names) {
  const auto key = lower_case(typed);
  std::size_t fewest = std::max<std::size_t>(1, key.size() / 4);
  std::vector<std::string> nearest;
  for (const auto& name : names) {
    const auto edits = edits_between(key, lower_case(name));
    if (edits > fewest)
      continue;
    if (edits < fewest)
      nearest.clear();
    fewest = edits;
    if (std::ranges::find(nearest, name) == nearest.end())
      nearest.push_back(name);
  }
  return nearest;
}

void Transcript::line(std::string_view text) {
  out_ << text << '\n';
  out_.flush();
}

void Transcript::error(std::string_view text) {
  line(text);
  if (errors_)
    *errors_ << "gishost: " << text << '\n' << std::flush;
}

} // namespace host::session
