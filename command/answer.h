#pragma once

#include "com/hresult.h"

namespace corvane {

// Hands `value` to an out-parameter of a host call: E_POINTER when the host passed none.
template <class T, class V> com::HRESULT answer(T* out, const V& value) {
  if (!out)
    return com::E_POINTER;
  *out = T(value);
  return com::S_OK;
}

} // namespace corvane
