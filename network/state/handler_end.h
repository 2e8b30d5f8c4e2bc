#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "com/create.h"
#include "com/error_info.h"
#include "com/hresult.h"
#include "com/unknown.h"

namespace corvane {

// A failure that ends the running handler at the point where it happens, without a message of
// its own: the state set before it stays. Raised by a failing host call, a table row beyond
// its bound or a settings value that is no number where one is required; every command and
// dialog handler catches it at its boundary, so it never leaves the add-in.
class HandlerEnd : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A handler end whose reason the user has been shown already, in a message box of its own (a
// refusal): the boundaries that show a failure's text show nothing more, and the host hears
// that the handler ran.
class ToldHandlerEnd : public HandlerEnd {
public:
  using HandlerEnd::HandlerEnd;
};

// A host or engine call that failed or handed back nothing. When the failure is a file's the
// callee said which and why (com::TakeErrorInfo), and that is the failure's text: the user is
// told it, never the code.
class HostCallFailed : public HandlerEnd {
public:
  HostCallFailed(std::string_view what, com::HRESULT code, std::string reason = {})
      : HandlerEnd(reason.empty() ? std::string(what) + " failed (" + std::to_string(code) + ")"
                                  : reason),
        call_(what), code_(code), told_reason_(!reason.empty()) {}
  // The call that failed ("InsertFeature").
  const std::string& call() const { return call_; }
  com::HRESULT code() const { return code_; }
  // Whether what() is the callee's reason, for the user, rather than the call and its code.
  bool has_reason() const { return told_reason_; }

private:
  std::string call_;
  com::HRESULT code_;
  bool told_reason_;
};

// Ends the handler when `result` is a failure code.
inline void check_call(com::HRESULT result, std::string_view what) {
  if (com::FAILED(result))
    throw HostCallFailed(what, result, com::TakeErrorInfo());
}

// The object a call handed back; ends the handler when there is none.
template <class T> com::ComPtr<T> require(com::ComPtr<T> object, std::string_view what) {
  if (!object)
    throw HostCallFailed(what, com::E_POINTER);
  return object;
}

// The interface I of an object the host or engine asked for; ends the handler when the object
// does not have it.
template <com::Interface I, class T>
com::ComPtr<I> require_as(const com::ComPtr<T>& object, std::string_view what) {
  return require(object.template as<I>(), what);
}

// A new object of a registered class, seen through I; ends the handler when it cannot be made.
template <com::Interface I> com::ComPtr<I> create(std::string_view prog_id) {
  return require(com::create_object<I>(prog_id), prog_id);
}

} // namespace corvane
