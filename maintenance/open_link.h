#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: opens a closed road again.
class OpenLink final : public ToolBase {
public:
  OpenLink();

protected:
  // Only while there is a closed road to open.
  bool enabled() override;
};

} // namespace corvane
