#pragma once

#include "addin/command_base.h"

namespace corvane {

// The route or tour through stops chosen by attribute value.
class SelectionByLocation final : public CommandBase<> {
public:
  SelectionByLocation();
};

} // namespace corvane
