#pragma once

#include <functional>

namespace corvane {

// Runs `work` so that a host or engine call failing in it ends it with an error box that names
// the failure (title "Error", critical icon) in place of the silent end of other handlers; an end
// the user has been told of already shows nothing more. The network checks and the subnet
// dialog's buttons run this way, so that the user never takes a half-done run for a result.
void RunWithErrorBox(const std::function<void()>& work);

} // namespace corvane
