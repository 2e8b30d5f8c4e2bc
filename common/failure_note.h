#pragma once

#include <string>

namespace corvane {

// Rethrows the failure being handled with `note` (one or more sentences) after its own reason,
// so that the first failure's reason stays what the user reads first and a clean-up that
// failed as well adds to it. A failure whose reason the user is not given in words (a told
// end, a call without the callee's reason) is rethrown as it is. Call only inside a catch.
[[noreturn]] void RethrowWithNote(const std::string& note);

} // namespace corvane
