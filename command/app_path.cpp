#include "command/app_path.h"

#include <dlfcn.h>

#include <filesystem>

namespace corvane {

std::string AppPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&AppPath), &info) == 0 || !info.dli_fname)
    return {};
  std::error_code error;
  const auto module = std::filesystem::canonical(info.dli_fname, error);
  return error ? std::string{} : module.parent_path().string();
}

} // namespace corvane
