#pragma once

#include <string_view>

namespace win {

// Deletes the temporary that a killed replacement of `file` (a native or Windows path) left
// beside it: the file's own temporary name, never another file. Quiet when there is none.
void remove_stale_temporary(std::string_view file);

} // namespace win
