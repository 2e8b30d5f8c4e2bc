#include "com/create.h"

#include "com/factory.h"
#include "com/registry.h"
#include "module_loader.h"

namespace com {

HRESULT CreateObject(const CLSID& clsid, ComPtr<IUnknown>& object) {
  object.reset();
  try {
    const auto found = find_registered_class(clsid);
    if (!found)
      return REGDB_E_CLASSNOTREG;
    void* function = nullptr;
    if (const HRESULT hr =
            detail::find_module_export(found->module_path, "DllGetClassObject", function);
        FAILED(hr))
      return hr;
    const auto get_class_object =
        reinterpret_cast<HRESULT (*)(const CLSID&, const IID&, void**)>(function);

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
