#pragma once

#include "command/command_base.h"

namespace corvane {

// Map tool: a click closes the network link under it for every later calculation. The link
// joins gClosedLinks and [CLOSED ROADS] and gets a "close" marker at its middle; a link that is
// closed already stays as it is. The list holds at most 300 links: a further one is refused
// with a message.
class CloseLink final : public ToolBase {
public:
  CloseLink();

protected:
  void mouse_down(long button, long shift, long x, long y) override;
};

} // namespace corvane
