#include "module_loader.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

#include "module_path.h"

namespace com::detail {
namespace {

void* load_module(const std::filesystem::path& path) {
  static std::mutex mutex;
  // Keyed by the path's text: every creation looks its module up here, and paths compare
  // component by component.
  static std::map<std::string, void*, std::less<>> loaded;
  const std::lock_guard lock(mutex);
  if (const auto found = loaded.find(path.native()); found != loaded.end())
    return found->second;

  std::error_code error;
  const bool is_program = std::filesystem::equivalent(path, running_program_path(), error);
  void* handle =
      is_program ? ::dlopen(nullptr, RTLD_NOW) : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle)
    loaded.emplace(path.native(), handle);
  return handle;
}

} // namespace

HRESULT find_module_export(const std::filesystem::path& module, const char* name, void*& function) {
  function = nullptr;
  void* handle = load_module(module);
  if (!handle)
    return CO_E_DLLNOTFOUND;
  function = ::dlsym(handle, name);
  return function ? S_OK : CO_E_ERRORINDLL;
}

} // namespace com::detail
