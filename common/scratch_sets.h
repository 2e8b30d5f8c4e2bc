#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace corvane {

// Runs `body`, a run that passes its zones through the scratch sets `names` of the network
// folder (the engine's zones before they are copied or cut), and deletes those sets however it
// ends: a failed run leaves none of them behind. A deletion that fails after a failed run adds
// its reason to the run's failure; after a run that did not fail it ends the handler with it.
// The sets are the run's own (checked as the run began), so none is refused as the user's.
void RunRemovingScratchSets(const std::vector<std::string_view>& names,
                            const std::function<void()>& body);

} // namespace corvane
