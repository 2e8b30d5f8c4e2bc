#pragma once

#include <cstdint>

#include "maintenance/link_list_tool.h"

namespace corvane {

// Map tool: opens closed roads again (FrmDefRoadSp asks "OPEN ROAD"). "All" opens every closed
// road at once, with its marker and the labels at it; "Select" opens the closed road under each
// click. Enabled only while there is a closed road to open.
class OpenLink final : public LinkListTool<std::int32_t> {
public:
  OpenLink();
};

} // namespace corvane
