#include "com/create.h"

#include <optional>

#include "com/factory.h"
#include "com/registry.h"
#include "module_loader.h"

namespace com {

namespace {

// `find` gives the class to create; it is looked up once, under the same guard as the creation.
template <class Find> HRESULT create_found(Find find, ComPtr<IUnknown>& object) {
  object.reset();
  try {
    const std::optional<ClassInfo> found = find();
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
    if (const HRESULT hr = get_class_object(found->clsid, IClassFactory::iid, factory.put_void());
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

} // namespace

HRESULT CreateObject(const CLSID& clsid, ComPtr<IUnknown>& object) {
  return create_found([&] { return find_registered_class(clsid); }, object);
}

HRESULT CreateObject(std::string_view prog_id, ComPtr<IUnknown>& object) {
  return create_found([&] { return find_registered_class(prog_id); }, object);
}

} // namespace com
