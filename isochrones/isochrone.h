#pragma once

#include "addin/command_base.h"

namespace corvane {

// Sets the zone list and the polygon isochrone options.
class Isochrone final : public CommandBase<> {
public:
  Isochrone();
};

} // namespace corvane
