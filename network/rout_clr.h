#pragma once

#include "command/command_base.h"

namespace corvane {

// Sets the colour in which routes are drawn.
class RoutClr final : public CommandBase<> {
public:
  RoutClr();

protected:
  void click() override;
};

} // namespace corvane
