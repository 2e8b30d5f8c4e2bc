#pragma once

#include "addin/command_base.h"

namespace corvane {

// The time-distance table between two point layers.
class BatchRoute final : public CommandBase<> {
public:
  BatchRoute();
};

} // namespace corvane
