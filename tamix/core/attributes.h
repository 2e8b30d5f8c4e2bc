#pragma once

#include "progress.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tamix {

// Turns the text file `text_name` in `folder` (one integer per link, in the lines of
// read_link_lines) into "attribute.bin": road class = |value| mod 32. The link count comes from the
// network's "link.bin". A line count other than the link count, or a line that is not an
// integer, raises general_error naming the file and line; a missing file load_failed. Returns
// the classes written (slot 0 included), for a loaded network to take them over.
std::vector<std::uint8_t> create_attribute_file(const std::filesystem::path& folder,
                                                const std::string& text_name,
                                                const Progress& progress = {});

} // namespace tamix
