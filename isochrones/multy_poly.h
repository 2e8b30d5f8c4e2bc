#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: the zone polygons around several clicked centres.
class MultyPoly final : public ToolBase {
public:
  MultyPoly();

protected:
  // A set of centres left open is dropped once no network is loaded.
  bool enabled() override;
};

} // namespace corvane
