#include "command/app_path.h"

#include <dlfcn.h>

#include <filesystem>

namespace corvane {

namespace {

std::string module_folder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&AppPath), &info) == 0 || !info.dli_fname)
    return {};
  std::error_code error;
  const auto module = std::filesystem::canonical(info.dli_fname, error);
  return error ? std::string{} : module.parent_path().string();
}

} // namespace

std::string AppPath() {
  // Found once: the module stays where it was loaded from, and an opening that draws hundreds
  // of markers asks for every icon's folder.
  static const std::string folder = module_folder();
  return folder;
}

} // namespace corvane
