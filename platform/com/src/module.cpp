#include "com/module.h"

#include "com/factory.h"
#include "module_path.h"

namespace com {
namespace {

// The factory DllGetClassObject hands out. It counts as a live object of the module, so the
// module is not reported unloadable while a client still holds a factory.
class ModuleClassFactory final : public ComObject<IClassFactory> {
public:
  explicit ModuleClassFactory(const ModuleClass& c) : class_(c) {}

  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) override {
    if (!out)
      return E_POINTER;
    *out = nullptr;
    if (outer)
      return CLASS_E_NOAGGREGATION;
    return class_.create(iid, out);
  }

  HRESULT LockServer(bool lock) override {
    auto& locks = module_lock_count();
    if (lock) {
      ++locks;
      return S_OK;
    }
    // An unlock without its lock must not make other holders' locks disappear.
    long held = locks.load();
    while (held > 0 && !locks.compare_exchange_weak(held, held - 1)) {
    }
    return held > 0 ? S_OK : E_UNEXPECTED;
  }

private:
  const ModuleClass class_;
};

const ModuleClass* find_module_class(const CLSID& clsid) {
  for (const auto& c : module_classes())
    if (c.clsid == clsid)
      return &c;
  return nullptr;
}

} // namespace

std::vector<ModuleClass>& module_classes() {
  static std::vector<ModuleClass> classes;
  return classes;
}

HRESULT module_register_server() {
  try {
    const auto path = detail::this_module_path();
    if (path.empty())
      return SELFREG_E_CLASS;
    std::vector<ClassInfo> classes;
    for (const auto& c : module_classes())
      classes.push_back({c.clsid, std::string(c.class_name), std::string(c.prog_id),
                         std::string(c.category), path, c.describe()});
    return SUCCEEDED(register_classes(classes)) ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

HRESULT module_unregister_server() {
  try {
    std::vector<CLSID> clsids;
    for (const auto& c : module_classes())
      clsids.push_back(c.clsid);
    return SUCCEEDED(unregister_classes(clsids)) ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

HRESULT module_get_class_object(const CLSID& clsid, const IID& iid, void** out) {
  if (!out)
    return E_POINTER;
  *out = nullptr;
  const ModuleClass* c = find_module_class(clsid);
  if (!c)
    return CLASS_E_CLASSNOTAVAILABLE;
  try {
    return make<ModuleClassFactory>(*c)->QueryInterface(iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT module_can_unload_now() {
  return module_object_count() == 0 && module_lock_count() == 0 ? S_OK : S_FALSE;
}

} // namespace com
