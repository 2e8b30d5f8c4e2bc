#include "com/registration.h"

#include <new>

#include "module_loader.h"

namespace com {
namespace {

HRESULT call_module_export(const std::filesystem::path& module, const char* name) {
  try {
    void* function = nullptr;
    if (const HRESULT hr = detail::find_module_export(module, name, function); FAILED(hr))
      return hr;
    return reinterpret_cast<HRESULT (*)()>(function)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

} // namespace

HRESULT register_module(const std::filesystem::path& module) {
  return call_module_export(module, "DllRegisterServer");
}

HRESULT unregister_module(const std::filesystem::path& module) {
  return call_module_export(module, "DllUnregisterServer");
}

} // namespace com
