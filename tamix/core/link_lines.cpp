#include "link_lines.h"

#include "error.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace tamix {

namespace {

std::string read_whole_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Error(code::load_failed, "cannot open " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool is_blank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

// The end of the last line opens no line after it.
std::size_t line_count(std::string_view text) {
  const auto ends = std::size_t(std::count(text.begin(), text.end(), '\n'));
  return ends + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// The last of the lines in `text` (at least one), with its end.
std::size_t last_line_start(std::string_view text) {
  const std::size_t stop = text.back() == '\n' ? text.size() - 1 : text.size();
  const std::size_t end = stop == 0 ? std::string_view::npos : text.rfind('\n', stop - 1);
  return end == std::string_view::npos ? 0 : end + 1;
}

std::string_view without_line_end(std::string_view line) {
  if (!line.empty() && line.back() == '\n')
    line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  return line;
}

} // namespace

void read_link_lines(const std::filesystem::path& file, LinkId link_count,
                     const std::function<void(LinkId link, std::string_view line)>& take) {
  const std::string whole = read_whole_file(file);
  std::string_view text = whole;
  std::size_t lines = line_count(text);
  while (lines > link_count) {
    const std::size_t start = last_line_start(text);
    if (!is_blank(without_line_end(text.substr(start))))
      break;
    text = text.substr(0, start);
    --lines;
  }
  if (lines != link_count)
    throw Error(code::general_error, file.string() + " has " + std::to_string(lines) +
                                         " lines for the network's " + std::to_string(link_count) +
                                         " links");
  std::size_t pos = 0;
  for (LinkId link = 1; link <= link_count; ++link) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    take(link, without_line_end(text.substr(pos, end - pos)));
    pos = end + 1;
  }
}

} // namespace tamix
