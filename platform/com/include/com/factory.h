#pragma once

#include "com/unknown.h"

namespace com {

// Creates the objects of one class; a module hands it out from DllGetClassObject.
struct IClassFactory : IUnknown {
  COM_INTERFACE(IClassFactory, IUnknown, "00000001-0000-0000-C000-000000000046")

  // Creates an object and stores its interface `iid` in *out. Aggregation is not supported:
  // a non-null `outer` gives CLASS_E_NOAGGREGATION.
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) = 0;
  // Keeps the module loaded while locked; every lock needs its unlock.
  virtual HRESULT LockServer(bool lock) = 0;
};

} // namespace com
