#pragma once

// Every method of the component objects runs its body through engine_call: no exception leaves
// the component. Engine failures become their code; anything else the general error.

#include "com/error_info.h"
#include "error.h"

#include <cstdint>
#include <new>
#include <string>

namespace tamix {

// The reason the last engine call on this thread failed (NetBase::LastErrorText).
inline thread_local std::string last_error_text;

// Runs `body` and returns its result; on failure, the code converted to the result type
// (the float results carry codes such as -33 in place of a cost).
template <class Result, class Body> Result engine_call(Body&& body) noexcept {
  last_error_text.clear();
  com::SetErrorInfo({});
  try {
    return static_cast<Result>(body());
  } catch (const Error& error) {
    try {
      last_error_text = error.what();
      // An output that cannot be written, or is not there: the caller tells the user which
      // and why. Why it was not written is the whole failure; an output not found or not
      // opened adds its detail to what the code says.
      if (dynamic_cast<const NotWritten*>(&error))
        com::SetErrorInfo(error.what(), com::ErrorInfoIs::TheReason);
      else if (error.code() == code::output_file_failed)
        com::SetErrorInfo(error.what(), com::ErrorInfoIs::ADetail);
    } catch (const std::bad_alloc&) {
      // The code alone must do.
    }
    return static_cast<Result>(error.code());
  } catch (const std::bad_alloc&) {
    return static_cast<Result>(code::out_of_memory);
  } catch (...) {
    return static_cast<Result>(code::general_error);
  }
}

// For the methods whose result has no room for a code (flags, coordinates): `fallback` on
// any failure.
template <class Result, class Body> Result engine_call_or(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

} // namespace tamix
