#include "com/create.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "com/factory.h"
#include "com/registry.h"
#include "module_path.h"

namespace com {
namespace {

using GetClassObject = HRESULT (*)(const CLSID&, const IID&, void**);

// Modules stay loaded for the life of the process: objects they made may be alive anywhere.
// A module path that names the running program means the program's own classes.
void* load_module(const std::filesystem::path& path) {
  static std::mutex mutex;
  static std::map<std::filesystem::path, void*> loaded;
  const std::lock_guard lock(mutex);
  if (const auto found = loaded.find(path); found != loaded.end())
    return found->second;

  std::error_code error;
  const bool is_program = std::filesystem::equivalent(path, detail::running_program_path(), error);
  void* handle =
      is_program ? ::dlopen(nullptr, RTLD_NOW) : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle)
    loaded.emplace(path, handle);
  return handle;
}

} // namespace

HRESULT CreateObject(const CLSID& clsid, ComPtr<IUnknown>& object) {
  object.reset();
  try {
    const auto found = find_registered_class(clsid);
    if (!found)
      return REGDB_E_CLASSNOTREG;
    void* module = load_module(found->module_path);
    if (!module)
      return CO_E_DLLNOTFOUND;
    const auto get_class_object =
        reinterpret_cast<GetClassObject>(::dlsym(module, "DllGetClassObject"));
    if (!get_class_object)
      return CO_E_ERRORINDLL;

    ComPtr<IClassFactory> factory;
    if (const HRESULT hr = get_class_object(clsid, IClassFactory::iid, factory.put_void());
        FAILED(hr))
      return hr;
    if (!factory)
      return CO_E_ERRORINDLL;
    return factory->CreateInstance(nullptr, IUnknown::iid, object.put_void());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT CreateObject(std::string_view prog_id, ComPtr<IUnknown>& object) {
  object.reset();
  CLSID clsid;
  try {
    if (const HRESULT hr = CLSIDFromProgID(prog_id, clsid); FAILED(hr))
      return hr;
  } catch (...) {
    return E_FAIL;
  }
  return CreateObject(clsid, object);
}

} // namespace com
