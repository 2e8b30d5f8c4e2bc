#pragma once

#include <string_view>

#include "com/unknown.h"

namespace com {

// Creates an object of a registered class: finds the class in the registry, loads its module
// (once per process; modules stay loaded), asks the module's DllGetClassObject for the class
// factory and creates the object through it. Fails with
//   REGDB_E_CLASSNOTREG  the ProgID (any letter case) or CLSID is not registered,
//   CO_E_DLLNOTFOUND     the module cannot be loaded,
//   CO_E_ERRORINDLL      the module has no DllGetClassObject,
// or the code the module's factory returned.
HRESULT CreateObject(std::string_view prog_id, ComPtr<IUnknown>& object);
HRESULT CreateObject(const CLSID& clsid, ComPtr<IUnknown>& object);

// CreateObject for callers that only need interface I: null on any failure, including an
// object that does not implement I.
template <Interface I> ComPtr<I> create_object(std::string_view prog_id) {
  ComPtr<IUnknown> object;
  if (FAILED(CreateObject(prog_id, object)))
    return nullptr;
  return object.template as<I>();
}

} // namespace com
