#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: the cost bands of every link around one clicked centre.
class LinkIsochrone final : public ToolBase {
public:
  LinkIsochrone();
};

} // namespace corvane
