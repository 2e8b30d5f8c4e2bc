#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: which of several clicked centres reaches each link first, and at what cost.
class IsoLinkMulti final : public ToolBase {
public:
  IsoLinkMulti();

protected:
  // A set of centres left open is dropped once no network is loaded.
  bool enabled() override;
};

} // namespace corvane
