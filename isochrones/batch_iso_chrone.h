#pragma once

#include "addin/command_base.h"

namespace corvane {

// Isochrones for every point of a point layer.
class BatchIsoChrone final : public CommandBase<> {
public:
  BatchIsoChrone();
};

} // namespace corvane
