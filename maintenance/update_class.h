#pragma once

#include "addin/command_base.h"

namespace corvane {

// Rewrites the road classes of the network layer.
class UpdateClass final : public CommandBase<> {
public:
  UpdateClass();
};

} // namespace corvane
