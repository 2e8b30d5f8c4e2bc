#pragma once

#include <algorithm>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "com/object.h"
#include "com/registry.h"

namespace com {

// One class a module serves: how it is registered, described and created.
struct ModuleClass {
  std::string_view class_name;
  std::string_view prog_id;
  CLSID clsid;
  std::string_view category;
  HRESULT (*create)(const IID& iid, void** out);
  std::vector<InterfaceInfo> (*describe)();
};

// The classes of this module, in the order their COM_CLASS lines ran.
std::vector<ModuleClass>& module_classes();

struct ModuleClassRegistration {
  explicit ModuleClassRegistration(const ModuleClass& c) { module_classes().push_back(c); }
};

// An interface may list its members for the type information:
//   static constexpr std::string_view interface_members = "Caption: string; OnClick()";
template <class I>
concept DescribedInterface = requires {
  { I::interface_members } -> std::convertible_to<std::string_view>;
};

namespace detail {
// Adds I and the interfaces it extends (not IUnknown), each once.
template <class I> void describe_interface(std::vector<InterfaceInfo>& out) {
  if constexpr (!std::is_same_v<I, IUnknown>) {
    std::string members;
    if constexpr (DescribedInterface<I>)
      members = I::interface_members;
    const InterfaceInfo info{std::string(I::interface_name), std::move(members)};
    if (std::find(out.begin(), out.end(), info) == out.end())
      out.push_back(info);
    describe_interface<typename I::com_base>(out);
  }
}

template <class... I> std::vector<InterfaceInfo> describe_interfaces(InterfaceList<I...>) {
  std::vector<InterfaceInfo> out;
  (describe_interface<I>(out), ...);
  return out;
}

template <class I> bool answers(IUnknown* object) {
  void* found = nullptr;
  if (object->QueryInterface(I::iid, &found) != S_OK || !found)
    return false;
  static_cast<I*>(found)->Release();
  return true;
}

template <class T> HRESULT create_instance(const IID& iid, void** out) {
  if (!out)
    return E_POINTER;
  *out = nullptr;
  try {
    return make<T>()->QueryInterface(iid, out);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}
} // namespace detail

template <class T>
ModuleClass module_class(std::string_view class_name, std::string_view prog_id, const CLSID& clsid,
                         std::string_view category = {}) {
  return {class_name, prog_id, clsid, category, &detail::create_instance<T>, [] {
            return detail::describe_interfaces(typename T::implemented_interfaces{});
          }};
}

// The type information of an object whose class is not known here: those of the candidate
// interfaces it answers, in the candidates' order.
template <class... I>
std::vector<InterfaceInfo> describe_object(IUnknown* object, InterfaceList<I...>) {
  std::vector<InterfaceInfo> out;
  if (object)
    ((detail::answers<I>(object) ? detail::describe_interface<I>(out) : void()), ...);
  return out;
}

// The module's side of the four exports (see COM_MODULE_EXPORTS).
HRESULT module_register_server();
HRESULT module_unregister_server();
HRESULT module_get_class_object(const CLSID& clsid, const IID& iid, void** out);
HRESULT module_can_unload_now();

} // namespace com

#define COM_DETAIL_CONCAT_(a, b) a##b
#define COM_DETAIL_CONCAT(a, b) COM_DETAIL_CONCAT_(a, b)

// Declares one class of the module, in a source compiled into the module itself (a static
// library's registration objects would be dropped by the linker):
//   COM_CLASS(CreateNetwork, "Corvane.CreateNetwork", "{...}", "Corvane Commands")
// The category is optional. The class must be default-constructible and derive from
// com::ComObject; its interfaces are listed from that base.
#define COM_CLASS(CLASS, PROG_ID, CLSID_TEXT, ...)                                                 \
  static const ::com::ModuleClassRegistration COM_DETAIL_CONCAT(com_module_class_, __LINE__){      \
      ::com::module_class<CLASS>(#CLASS, PROG_ID,                                                  \
                                 ::com::make_guid(CLSID_TEXT) __VA_OPT__(, ) __VA_ARGS__)};

#define COM_DETAIL_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the module's four exports; write it once, in one source of the module.
//   DllRegisterServer   writes every class of the module into the registry
//   DllUnregisterServer removes them
//   DllGetClassObject   hands out the class factory of a class
//   DllCanUnloadNow     S_OK when no object or lock of the module is alive, S_FALSE otherwise
#define COM_MODULE_EXPORTS()                                                                       \
  COM_DETAIL_EXPORT ::com::HRESULT DllRegisterServer() {                                           \
    return ::com::module_register_server();                                                        \
  }                                                                                                \
  COM_DETAIL_EXPORT ::com::HRESULT DllUnregisterServer() {                                         \
    return ::com::module_unregister_server();                                                      \
  }                                                                                                \
  COM_DETAIL_EXPORT ::com::HRESULT DllGetClassObject(const ::com::CLSID& clsid,                    \
                                                     const ::com::IID& iid, void** out) {          \
    return ::com::module_get_class_object(clsid, iid, out);                                        \
  }                                                                                                \
  COM_DETAIL_EXPORT ::com::HRESULT DllCanUnloadNow() {                                             \
    return ::com::module_can_unload_now();                                                         \
  }
