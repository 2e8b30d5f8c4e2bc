#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: closes the clicked road for every calculation.
class CloseLink final : public ToolBase {
public:
  CloseLink();
};

} // namespace corvane
