#pragma once

#include "command/command_base.h"

namespace corvane {

// Clears the results shown on the map.
class ClearResult final : public CommandBase<> {
public:
  ClearResult();

protected:
  void click() override;
};

} // namespace corvane
