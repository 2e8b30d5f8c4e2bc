#pragma once

#include "graph.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace tamix {

// Reads a file the add-in writes with one line per link, in link order: "Attrib.txt" (the road
// classes) and the join column file. Lines end in CR LF or LF; the last one may lack its end.
// Blank lines after the last link's line are an editor's habit, not links, and are dropped; a
// blank line within the links is that link's own (an empty join text), so a file whose last
// links have empty texts still has their lines:
//   3 links: "a\r\nb\r\n\r\n\r\n" -> "a", "b", ""        2 links: the same file -> "a", "b"
// Raises load_failed for a file that cannot be opened, general_error naming the file for a line
// count other than `link_count`; `take` then sees no line. Otherwise `take` gets link k's line
// (without its end) for k = 1 .. link_count, in order.
void read_link_lines(const std::filesystem::path& file, LinkId link_count,
                     const std::function<void(LinkId link, std::string_view line)>& take);

} // namespace tamix
