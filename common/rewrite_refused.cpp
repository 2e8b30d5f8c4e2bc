#include "common/rewrite_refused.h"

#include <string>

#include "common/show_message.h"
#include "network/state/shared_state.h"

namespace corvane {

void ShowRewriteRefused(std::string_view reason) {
  show_message("The network layer " + shared_state().gNetworkLayerName +
                   " could not be rewritten: " + std::string(reason) +
                   "\nIts files were not changed.",
               "Layer Not Changed", forms::Icon::Critical);
}

} // namespace corvane
