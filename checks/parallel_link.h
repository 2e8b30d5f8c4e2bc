#pragma once

#include "command/command_base.h"

namespace corvane {

// Finds links that join the same two nodes.
class ParallelLink final : public CommandBase<> {
public:
  ParallelLink();

private:
  void click() override;
};

} // namespace corvane
