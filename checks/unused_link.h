#pragma once

#include "command/command_base.h"

namespace corvane {

// Finds the links that no route uses.
class UnusedLink final : public CommandBase<> {
public:
  UnusedLink();

private:
  void click() override;
};

} // namespace corvane
