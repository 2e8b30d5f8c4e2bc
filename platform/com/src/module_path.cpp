#include "module_path.h"

#include <dlfcn.h>
#include <link.h>

#include <system_error>

namespace com::detail {
namespace {

// Every module links its own copy of this file, so this variable's address lies inside the
// module asking.
const char anchor = 0;

std::filesystem::path canonical_or_same(const std::filesystem::path& path) {
  std::error_code error;
  auto canonical = std::filesystem::canonical(path, error);
  return error ? path : canonical;
}

} // namespace

std::filesystem::path running_program_path() {
  return canonical_or_same("/proc/self/exe");
}

std::filesystem::path this_module_path() {
  Dl_info info{};
  link_map* map = nullptr;
  if (::dladdr1(&anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || !map)
    return {};
  // The program itself has an empty name in the loader's list.
  if (map->l_name == nullptr || *map->l_name == '\0')
    return running_program_path();
  return canonical_or_same(map->l_name);
}

} // namespace com::detail
