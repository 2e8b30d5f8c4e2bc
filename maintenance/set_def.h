#pragma once

#include "maintenance/link_list_tool.h"
#include "network/state/shared_state.h"

namespace corvane {

// Map tool: gives links with a temporary speed their road-class speed back (FrmDefRoadSp asks
// "Set Default Speed"). "All" removes every temporary speed at once, with its marker; "Select"
// removes the temporary speed of the link under each click. Enabled only while some road has a
// temporary speed.
class SetDef final : public LinkListTool<TempSpeedRow> {
public:
  SetDef();

protected:
  bool may_ask() override;
  // The settings file is stamped after every question, whatever its answer.
};

} // namespace corvane
