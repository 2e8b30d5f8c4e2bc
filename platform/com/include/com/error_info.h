#pragma once

// What a failing interface call can say beyond its code, as COM's error objects do: the object
// that fails sets a text for its caller, who takes it right after the failing call. Only a
// failure the user can act on carries one (a file that cannot be written, and why); any other
// failing call clears it, so that a text never outlives the failure it was set for.

#include <string>

namespace com {

// What the text is to the caller: the failure's whole reason, which heads what the user is
// told (a file that cannot be written, and why), or a detail of what the failure's code says
// (which output was not found).
enum class ErrorInfoIs { TheReason, ADetail };

// What the failed call said, as taken.
struct ErrorInfo {
  std::string text;
  ErrorInfoIs is = ErrorInfoIs::TheReason;
};

// Sets the text of the failure being returned on this thread (empty: none).
void SetErrorInfo(std::string text, ErrorInfoIs is = ErrorInfoIs::TheReason);

// The text of the last failure returned on this thread, cleared by the look.
std::string TakeErrorInfo();

// The same with what the text is; cleared by the look.
ErrorInfo TakeWholeErrorInfo();

} // namespace com

// Every module that links this library carries a copy of the function, exported by name; the
// program exports its copy, and a module loaded later binds its calls to the program's one, so
// that the host and the add-in share one text per thread.
extern "C" __attribute__((visibility("default"))) com::ErrorInfo* corvane_com_error_info();
