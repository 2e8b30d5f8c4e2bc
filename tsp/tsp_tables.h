#pragma once

#include "addin/command_base.h"

namespace corvane {

// The tour over every point of a point layer.
class TspTables final : public CommandBase<> {
public:
  TspTables();
};

} // namespace corvane
