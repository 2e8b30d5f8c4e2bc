#include "attributes.h"

#include "error.h"
#include "link_lines.h"
#include "network_files.h"

#include <charconv>
#include <string>
#include <string_view>

namespace tamix {

namespace {

std::uint8_t road_class_of(std::int64_t value) {
  std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
  return std::uint8_t(magnitude % road_class_count);
}

std::string_view without_blanks(std::string_view row) {
  while (!row.empty() && (row.back() == ' ' || row.back() == '\t'))
    row.remove_suffix(1);
  while (!row.empty() && (row.front() == ' ' || row.front() == '\t'))
    row.remove_prefix(1);
  return row;
}

} // namespace

std::vector<std::uint8_t> create_attribute_file(const std::filesystem::path& folder,
                                                const std::string& text_name,
                                                const Progress& progress) {
  const LinkId link_count = read_link_count(folder);
  const std::filesystem::path path = folder / text_name;
  PhaseProgress phase(progress, 0, 100);

  std::vector<std::uint8_t> link_class(std::size_t(link_count) + 1, default_road_class);
  read_link_lines(path, link_count, [&](LinkId link, std::string_view line) {
    std::string_view row = without_blanks(line);
    if (!row.empty() && row.front() == '+')
      row.remove_prefix(1);
    std::int64_t value = 0;
    auto [rest, error] = std::from_chars(row.data(), row.data() + row.size(), value);
    if (row.empty() || error != std::errc() || rest != row.data() + row.size())
      throw Error(code::general_error, path.string() + " line " + std::to_string(link) + ": \"" +
                                           std::string(row) + "\" is not a whole number");
    link_class[link] = road_class_of(value);
    if (link % 65536 == 0)
      phase.step(link, link_count);
  });
  write_attribute_file(folder, link_class);
  phase.finish();
  return link_class;
}

} // namespace tamix
