#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: the zone polygons around one clicked centre.
class IsoPoly final : public ToolBase {
public:
  IsoPoly();
};

} // namespace corvane
