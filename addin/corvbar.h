#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The toolbar "Corvane": the root menu as its first button, then the map tools.
class Corvbar final : public ToolBarBase {
public:
  Corvbar();
};

} // namespace corvane
