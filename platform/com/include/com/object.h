#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

#include "com/unknown.h"

namespace com {

// Objects and server locks alive in this module; DllCanUnloadNow answers from them.
// Every module links its own copy (symbols are hidden), so the count is per module.
std::atomic<long>& module_object_count();
std::atomic<long>& module_lock_count();

namespace detail {
template <class I, class Self> void* find_interface(Self* self, const IID& id) {
  if (id == I::iid) return static_cast<I*>(self);
  if constexpr (!std::is_same_v<typename I::com_base, void>) {
    using Base = typename I::com_base;
    if (id == Base::iid) return static_cast<Base*>(static_cast<I*>(self));
    return find_interface<Base>(static_cast<I*>(self), id);
  }
  return nullptr;
}
} // namespace detail

template <class... Interfaces> struct InterfaceList {};

// Base class of every component class: implements IUnknown for the listed interfaces
// (and the interfaces they extend), so a class writes only its own members.
//   class Layer final : public com::ComObject<HostLayer, HostFeatureLayer> { ... };
// Create instances with com::make<Layer>(...), never with plain new/delete.
template <Interface First, Interface... Rest> class ComObject : public First, public Rest... {
public:
  // The interfaces the class lists, for its type information.
  using implemented_interfaces = InterfaceList<First, Rest...>;

  ComObject() { ++module_object_count(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT QueryInterface(const IID& id, void** out) override {
    if (!out) return E_POINTER;
    void* found = nullptr;
    if (id == IUnknown::iid) {
      found = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      found = detail::find_interface<First>(static_cast<First*>(this), id);
      ((found = found ? found : detail::find_interface<Rest>(static_cast<Rest*>(this), id)), ...);
    }
    *out = found;
    if (!found) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    const auto left = --refs_;
    if (left == 0) delete this;
    return left;
  }

protected:
  virtual ~ComObject() { --module_object_count(); }

private:
  std::atomic<std::uint32_t> refs_{0};
};

// Creates a component object and returns the first reference to it.
template <class T, class... Args> ComPtr<T> make(Args&&... args) {
  return ComPtr<T>(new T(std::forward<Args>(args)...));
}

} // namespace com
