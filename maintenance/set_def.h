#pragma once

#include "command/command_base.h"
#include "maintenance/link_tools.h"

namespace corvane {

// Map tool: gives links with a temporary speed their road-class speed back. Choosing the tool
// asks "All" or "Select" (FrmDefRoadSp, "Set Default Speed"): "All" removes every temporary
// speed at once, with its marker; "Select" lets each click remove the temporary speed of the
// link under it, for as long as the latest answer of that dialog is "Select".
class SetDef final : public ToolBase {
public:
  SetDef();

protected:
  // Only while some road has a temporary speed.
  bool enabled() override;
  void click() override;
  void mouse_down(long button, long shift, long x, long y) override;

private:
  // The map and network layer of the last OnClick that passed the pre-check.
  NetworkLinkView kept_;
};

} // namespace corvane
