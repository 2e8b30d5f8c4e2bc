#pragma once

#include <stdexcept>
#include <string>

#include "com/error_info.h"
#include "com/hresult.h"

namespace host {

// The one failure type inside the host's data and geometry code. Its message names the file
// (and record) concerned; `code` is what the interface call returns when it escapes.
class HostError : public std::runtime_error {
public:
  explicit HostError(const std::string& message, com::HRESULT code = com::E_FAIL)
      : std::runtime_error(message), code_(code) {}
  com::HRESULT code() const { return code_; }

  // A file that cannot be read, written or replaced, `message` naming it and the reason: the
  // caller is handed the text (com::SetErrorInfo) to tell the user.
  static HostError about_file(const std::string& message) {
    HostError error(message);
    error.about_file_ = true;
    return error;
  }
  bool is_about_file() const { return about_file_; }

private:
  com::HRESULT code_;
  bool about_file_ = false;
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
    com::SetErrorInfo(e.is_about_file() ? e.what() : std::string());
    return e.code();
  } catch (const std::bad_alloc&) {
    last_error_message() = "out of memory";
    com::SetErrorInfo({});
    return com::E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    last_error_message() = e.what();
    com::SetErrorInfo({});
    return com::E_FAIL;
  }
}

} // namespace host
