#pragma once

#include "command/command_base.h"
#include "maintenance/link_tools.h"

namespace corvane {

// Map tool: opens closed roads again. Choosing the tool asks "All" or "Select" (FrmDefRoadSp,
// "OPEN ROAD"): "All" opens every closed road at once, with its marker; "Select" lets each
// click open the closed road under it, for as long as the latest answer of that dialog is
// "Select".
class OpenLink final : public ToolBase {
public:
  OpenLink();

protected:
  // Only while there is a closed road to open.
  bool enabled() override;
  void click() override;
  void mouse_down(long button, long shift, long x, long y) override;

private:
  // The map and network layer of the last OnClick that passed the pre-check.
  NetworkLinkView kept_;
};

} // namespace corvane
