#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#include "com/guid.h"
#include "com/hresult.h"

namespace com {

// Declares an interface's identity inside its body:
//   struct HostLayer : com::IUnknown { COM_INTERFACE(HostLayer, com::IUnknown, "{...}") ... };
// BASE is the interface it extends; QueryInterface answers for the whole chain.
#define COM_INTERFACE(NAME, BASE, GUID_TEXT)                                                    \
  using com_base = BASE;                                                                        \
  static constexpr ::com::IID iid = ::com::make_guid(GUID_TEXT);                                \
  static constexpr std::string_view interface_name = #NAME;

// The root of every component interface. Objects are reference counted; an interface
// pointer is never deleted directly, only released.
struct IUnknown {
  using com_base = void;
  static constexpr IID iid = make_guid("00000000-0000-0000-C000-000000000046");
  static constexpr std::string_view interface_name = "IUnknown";

  // Stores an AddRef'ed pointer to the interface `id` in *out, or null and E_NOINTERFACE.
  virtual HRESULT QueryInterface(const IID& id, void** out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

protected:
  ~IUnknown() = default;
};

template <class T>
concept Interface = requires {
  { T::iid } -> std::convertible_to<IID>;
  typename T::com_base;
};

// Owning reference to a component interface: AddRef on copy, Release on destruction.
template <class T> class ComPtr {
public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares a borrowed pointer (AddRef).
  explicit ComPtr(T* p) : ptr_(p) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.ptr_) {}
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U>
    requires std::is_convertible_v<U*, T*>
  ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.get())) {}
  template <class U>
    requires std::is_convertible_v<U*, T*>
  ComPtr(ComPtr<U>&& other) noexcept : ptr_(other.detach()) {}
  ~ComPtr() { reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  // Takes over a reference the caller already owns (no AddRef).
  static ComPtr attach(T* p) {
    ComPtr r;
    r.ptr_ = p;
    return r;
  }
  T* detach() { return std::exchange(ptr_, nullptr); }
  void reset() {
    if (auto* p = std::exchange(ptr_, nullptr)) p->Release();
  }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  // Out-parameter slot for calls that hand back an AddRef'ed pointer.
  T** put() {
    reset();
    return &ptr_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // QueryInterface for U; null when the object does not implement it.
  template <Interface U> ComPtr<U> as() const {
    ComPtr<U> r;
    if (ptr_) ptr_->QueryInterface(U::iid, r.put_void());
    return r;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.ptr_ == b.ptr_; }
  friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.ptr_ == nullptr; }

private:
  T* ptr_ = nullptr;
};

// True when both references lead to the same object (compared by their IUnknown identity).
template <class A, class B> bool same_object(const ComPtr<A>& a, const ComPtr<B>& b) {
  if (!a || !b) return !a && !b;
  return a.template as<IUnknown>().get() == b.template as<IUnknown>().get();
}

} // namespace com
