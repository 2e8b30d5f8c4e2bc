#include "attributes.h"

#include "error.h"
#include "network_files.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string_view>

namespace tamix {

namespace {

std::uint8_t road_class_of(std::int64_t value) {
  std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
  return std::uint8_t(magnitude % road_class_count);
}

std::string read_whole_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Error(code::load_failed, "cannot open " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

std::vector<std::uint8_t> create_attribute_file(const std::filesystem::path& folder,
                                                const std::string& text_name,
                                                const Progress& progress) {
  const LinkId link_count = read_link_count(folder);
  const std::filesystem::path path = folder / text_name;
  std::string text = read_whole_file(path);
  // Blank lines at the very end are an editor's habit, not links.
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.pop_back();
  PhaseProgress phase(progress, 0, 100);

  std::vector<std::uint8_t> link_class(std::size_t(link_count) + 1, default_road_class);
  std::size_t line = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos)
      end = text.size();
    std::string_view row(text.data() + pos, end - pos);
    pos = end + 1;
    while (!row.empty() && (row.back() == '\r' || row.back() == ' ' || row.back() == '\t'))
      row.remove_suffix(1);
    while (!row.empty() && (row.front() == ' ' || row.front() == '\t'))
      row.remove_prefix(1);
    ++line;
    if (line > link_count)
      throw Error(code::general_error, path.string() + " has more lines than the network's " +
                                           std::to_string(link_count) + " links");
    if (!row.empty() && row.front() == '+')
      row.remove_prefix(1);
    std::int64_t value = 0;
    auto [rest, error] = std::from_chars(row.data(), row.data() + row.size(), value);
    if (row.empty() || error != std::errc() || rest != row.data() + row.size())
      throw Error(code::general_error, path.string() + " line " + std::to_string(line) + ": \"" +
                                           std::string(row) + "\" is not a whole number");
    link_class[line] = road_class_of(value);
    if (line % 65536 == 0)
      phase.step(line, link_count);
  }
  if (line != link_count)
    throw Error(code::general_error, path.string() + " has " + std::to_string(line) +
                                         " lines, the network has " + std::to_string(link_count) +
                                         " links");
  write_attribute_file(folder, link_class);
  phase.finish();
  return link_class;
}

} // namespace tamix
