#pragma once

#include <stdexcept>
#include <string>

#include "com/hresult.h"

namespace host {

// The one failure type inside the host's data and geometry code. Its message names the file
// (and record) concerned; `code` is what the interface call returns when it escapes.
class HostError : public std::runtime_error {
public:
  explicit HostError(const std::string& message, com::HRESULT code = com::E_FAIL)
      : std::runtime_error(message), code_(code) {}
  com::HRESULT code() const { return code_; }

private:
  com::HRESULT code_;
};

// The message of the last failure of an interface call on this thread, for callers (and tests)
// that want to know why a call failed.
std::string& last_error_message();

// Runs `body` at an interface boundary: a HostError becomes its code, anything else E_FAIL.
template <class Body> com::HRESULT guarded(Body&& body) {
  try {
    body();
    return com::S_OK;
  } catch (const HostError& e) {
    last_error_message() = e.what();
    return e.code();
  } catch (const std::bad_alloc&) {
    last_error_message() = "out of memory";
    return com::E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    last_error_message() = e.what();
    return com::E_FAIL;
  }
}

} // namespace host
