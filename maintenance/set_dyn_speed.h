#pragma once

#include "command/command_base.h"

namespace corvane {

// Map tool: a click gives the network link under it a temporary speed, entered in
// FrmDynaRoadSP in km/h or mph. A new link joins gTempSpeeds and [TEMPORARY SPEEDS] with both
// speeds and gets a "tmpspd" marker at seven tenths of its length; a link with a temporary
// speed already has it replaced in place. The table holds at most 300 links: a further one is
// refused with a message before any speed is asked for.
class SetDynSpeed final : public ToolBase {
public:
  SetDynSpeed();

protected:
  void mouse_down(long button, long shift, long x, long y) override;
};

} // namespace corvane
