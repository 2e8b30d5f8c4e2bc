#pragma once

// What a failing interface call can say beyond its code, as COM's error objects do: the object
// that fails sets a text for its caller, who takes it right after the failing call. Only a
// failure the user can act on carries one (a file that cannot be written, and why); any other
// failing call clears it, so that a text never outlives the failure it was set for.

#include <string>

namespace com {

// Sets the text of the failure being returned on this thread (empty: none).
void SetErrorInfo(std::string text);

// The text of the last failure returned on this thread, cleared by the look.
std::string TakeErrorInfo();

} // namespace com

// Every module that links this library carries a copy of the function, exported by name; the
// program exports its copy, and a module loaded later binds its calls to the program's one, so
// that the host and the add-in share one text per thread.
extern "C" __attribute__((visibility("default"))) std::string* corvane_com_error_info();
