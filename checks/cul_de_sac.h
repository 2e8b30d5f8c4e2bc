#pragma once

#include "addin/command_base.h"

namespace corvane {

// Finds the dead ends of the network.
class CulDeSac final : public CommandBase<> {
public:
  CulDeSac();
};

} // namespace corvane
