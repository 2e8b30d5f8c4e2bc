#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: gives a road with a temporary speed its road-class speed again.
class SetDef final : public ToolBase {
public:
  SetDef();

protected:
  // Only while some road has a temporary speed.
  bool enabled() override;
};

} // namespace corvane
