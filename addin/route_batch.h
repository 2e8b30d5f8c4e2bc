#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The submenu of the commands that run over whole point layers.
class RouteBatch final : public MenuBase {
public:
  RouteBatch();
};

} // namespace corvane
