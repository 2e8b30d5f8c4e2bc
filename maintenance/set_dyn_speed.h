#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: gives the clicked road a temporary speed.
class SetDynSpeed final : public ToolBase {
public:
  SetDynSpeed();
};

} // namespace corvane
