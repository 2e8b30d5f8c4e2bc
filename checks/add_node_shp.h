#pragma once

#include "addin/command_base.h"

namespace corvane {

// Adds the network's nodes to the map as a layer.
class AddNodeShp final : public CommandBase<> {
public:
  AddNodeShp();
};

} // namespace corvane
