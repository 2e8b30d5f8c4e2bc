#pragma once

#include "addin/command_base.h"

namespace corvane {

// Sets the speed of each road class.
class SpeedSet final : public CommandBase<> {
public:
  SpeedSet();
};

} // namespace corvane
