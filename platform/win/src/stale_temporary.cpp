#include "win/stale_temporary.h"

#include "files/replace_file.h"
#include "win/paths.h"

namespace win {

void remove_stale_temporary(std::string_view file) {
  files::remove_stale_temporary(resolve_path(file));
}

} // namespace win
