#pragma once

#include "addin/command_base.h"

namespace corvane {

// Finds nodes that lie closer together than a distance.
class CloseNode final : public CommandBase<> {
public:
  CloseNode();
};

} // namespace corvane
