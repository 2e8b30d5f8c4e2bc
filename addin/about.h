#pragma once

#include "command/command_base.h"

namespace corvane {

// Shows the routing engine's about box. Always enabled.
class About final : public CommandBase<> {
public:
  About();

protected:
  bool enabled() override { return true; }
  void click() override;
};

} // namespace corvane
