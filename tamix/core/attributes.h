#pragma once

#include "progress.h"

#include <filesystem>
#include <string>

namespace tamix {

// Turns the text file `text_name` in `folder` (one integer per line per link, record order, CRLF
// or LF endings) into "attribute.bin": road class = |value| mod 32. The link count comes from the
// network's "link.bin". A line count other than the link count, or a line that is not an
// integer, raises general_error naming the file and line; a missing file load_failed.
void create_attribute_file(const std::filesystem::path& folder, const std::string& text_name,
                           const Progress& progress = {});

} // namespace tamix
