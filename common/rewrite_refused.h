#pragma once

#include <string_view>

namespace corvane {

// Tells the user that a change of the network layer's files (a field added or removed, links
// joined) was refused: the layer by name, `reason` as the host or the file layer gave it, and
// that the files were not changed, which every such refusal guarantees.
void ShowRewriteRefused(std::string_view reason);

} // namespace corvane
