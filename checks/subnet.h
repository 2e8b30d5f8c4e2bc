#pragma once

#include "command/command_base.h"

namespace corvane {

// Finds the parts of the network that cannot reach each other.
class Subnet final : public CommandBase<> {
public:
  Subnet();

private:
  void click() override;
};

} // namespace corvane
