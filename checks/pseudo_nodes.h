#pragma once

#include "addin/command_base.h"

namespace corvane {

// Joins the two links of every node that only joins them.
class PseudoNodes final : public CommandBase<> {
public:
  PseudoNodes();
};

} // namespace corvane
