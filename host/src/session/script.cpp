#include "session/script.h"

#include "session/transcript.h"

namespace host::session {

namespace {
bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string trimmed(const std::string& line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && blank(line[first]))
    ++first;
  while (last > first && blank(line[last - 1]))
    --last;
  return line.substr(first, last - first);
}
} // namespace

std::vector<ScriptLine> read_script(std::istream& in) {
  std::vector<ScriptLine> lines;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    auto text = trimmed(line);
    if (text.empty() || text.front() == '#')
      continue;
    lines.push_back({number, std::move(text)});
  }
  return lines;
}

void Words::skip_blanks() {
  while (at_ < text_.size() && blank(text_[at_]))
    ++at_;
}

bool Words::at_end() {
  skip_blanks();
  return at_ >= text_.size();
}

std::optional<std::string> Words::next() {
  if (at_end())
    return std::nullopt;
  const std::size_t start = at_;
  if (text_[at_] == '"') {
    for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_)
      if (text_[at_] == '\\')
        ++at_;
    if (at_ >= text_.size()) {
      error_ = "unfinished quoted text";
      return std::nullopt;
    }
    ++at_;
    std::string word;
    if (!unquote(std::string_view(text_).substr(start, at_ - start), word)) {
      error_ = "unknown escape in quoted text";
      return std::nullopt;
    }
    return word;
  }
  while (at_ < text_.size() && !blank(text_[at_]))
    ++at_;
  return text_.substr(start, at_ - start);
}

std::string Words::rest() {
  if (at_end())
    return {};
  std::string rest = text_.substr(at_);
  at_ = text_.size();
  std::string unquoted;
  return unquote(rest, unquoted) ? unquoted : rest;
}

} // namespace host::session
