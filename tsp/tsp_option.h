#pragma once

#include "addin/command_base.h"

namespace corvane {

// Sets the TSP mode.
class TspOption final : public CommandBase<> {
public:
  TspOption();
};

} // namespace corvane
