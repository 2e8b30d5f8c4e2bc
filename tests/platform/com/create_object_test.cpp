#include "com/create.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include "com/registration.h"
#include "com/registry.h"
#include "counter.h"
#include "scoped_registry.h"

namespace {

// The counter module's own view of its objects, reached through its export.
struct ModuleExports {
  explicit ModuleExports(const char* path) : handle(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
  ~ModuleExports() {
    if (handle)
      ::dlclose(handle);
  }
  template <class F> F* get(const char* name) const {
    return reinterpret_cast<F*>(::dlsym(handle, name));
  }
  void* handle;
};

TEST(CreateObject, CreatesAClassOfARegisteredModuleByProgId) {
  const ScopedRegistry registry("module");
  const ModuleExports module(COUNTER_MODULE);
  ASSERT_TRUE(module.handle) << ::dlerror();
  const auto can_unload = module.get<com::HRESULT()>("DllCanUnloadNow");
  ASSERT_TRUE(can_unload);
  ASSERT_EQ(com::register_module(COUNTER_MODULE), com::S_OK);

  const auto registered = com::find_registered_class("Corvane.TestCounter");
  ASSERT_TRUE(registered);
  EXPECT_EQ(registered->module_path, std::filesystem::canonical(COUNTER_MODULE));
  EXPECT_EQ(registered->category, "Corvane Tests");
  EXPECT_EQ(registered->interfaces,
            (std::vector<com::InterfaceInfo>{{"ICounter", "Increment(); Value: long"}}));

  EXPECT_EQ(can_unload(), com::S_OK);
  {
    auto counter = com::create_object<ICounter>("corvane.testcounter");
    ASSERT_TRUE(counter);
    counter->Increment();
    EXPECT_EQ(counter->Value(), 1);
    EXPECT_EQ(can_unload(), com::S_FALSE);

    com::ComPtr<com::IUnknown> by_clsid;
    ASSERT_EQ(com::CreateObject(registered->clsid, by_clsid), com::S_OK);
    EXPECT_EQ(by_clsid.as<ICounter>()->Value(), 0); // a new object
  }
  EXPECT_EQ(can_unload(), com::S_OK);

  ASSERT_EQ(com::unregister_module(COUNTER_MODULE), com::S_OK);
  com::ComPtr<com::IUnknown> object;
  EXPECT_EQ(com::CreateObject("Corvane.TestCounter", object), com::REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(object);
}

TEST(CreateObject, ReportsUnknownClassesAndBrokenModules) {
  const ScopedRegistry registry("broken");
  const auto clsid_of = [](std::uint32_t n) {
    auto clsid = com::make_guid("66666666-0000-0000-0000-000000000000");
    clsid.data1 += n;
    return clsid;
  };
  ASSERT_EQ(com::register_classes({
                {clsid_of(1), "Gone", "Corvane.Gone", "", "/no/such/module.so", {}},
                {clsid_of(2), "Bare", "Corvane.Bare", "", NO_EXPORTS_MODULE, {}},
            }),
            com::S_OK);
  const struct {
    const char* prog_id;
    com::HRESULT expected;
  } cases[] = {{"Corvane.Unknown", com::REGDB_E_CLASSNOTREG},
               {"Corvane.Gone", com::CO_E_DLLNOTFOUND},
               {"corvane.bare", com::CO_E_ERRORINDLL}};
  for (const auto& c : cases) {
    com::ComPtr<com::IUnknown> object;
    EXPECT_EQ(com::CreateObject(c.prog_id, object), c.expected) << c.prog_id;
    EXPECT_FALSE(object);
  }
  com::ComPtr<com::IUnknown> object;
  EXPECT_EQ(com::CreateObject(clsid_of(99), object), com::REGDB_E_CLASSNOTREG);

  EXPECT_EQ(com::register_module("/no/such/module.so"), com::CO_E_DLLNOTFOUND);
  EXPECT_EQ(com::unregister_module(NO_EXPORTS_MODULE), com::CO_E_ERRORINDLL);
}

} // namespace
