#include "common/node_search.h"

#include "common/engine_error_text.h"
#include "common/show_message.h"

namespace corvane {

bool NodeSearchSucceeded(std::int32_t code) {
  if (code == 0)
    return true;
  show_message("The nearest network node could not be found: Error = " + EngineErrorText(code),
               "Error", forms::Icon::Critical);
  return false;
}

std::optional<std::int32_t> SnapToNetworkNode(tamix::NetBase& base, double x, double y,
                                              std::int32_t& result) {
  if (!base.HasNodeIndex() && !NodeSearchSucceeded(result = base.CreateNodeIndex()))
    return std::nullopt;
  std::int32_t node = 0;
  std::int32_t second = 0;
  if (!NodeSearchSucceeded(result = base.SnapToNetwork(x, y, node, second)))
    return std::nullopt;
  return node;
}

} // namespace corvane
