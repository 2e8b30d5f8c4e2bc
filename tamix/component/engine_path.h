#pragma once

#include <filesystem>
#include <string>

namespace tamix {

// A path the add-in hands over, which may use "\" separators as the platform it was written
// for does; a relative one is taken inside `folder`.
std::filesystem::path engine_path(const std::string& text, const std::filesystem::path& folder = {});

} // namespace tamix
