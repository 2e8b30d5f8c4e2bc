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
      // A file that cannot be written: the caller tells the user which and why.
      com::SetErrorInfo(error.code() == code::output_file_failed ? error.what() : std::string());
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
