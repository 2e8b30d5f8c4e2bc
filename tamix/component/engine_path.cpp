#include "engine_path.h"

#include <algorithm>

namespace tamix {

std::filesystem::path engine_path(const std::string& text, const std::filesystem::path& folder) {
  std::string separated = text;
  std::replace(separated.begin(), separated.end(), '\\', '/');
  const std::filesystem::path path(separated);
  return path.is_absolute() || folder.empty() ? path : folder / path;
}

} // namespace tamix
