#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The submenu that creates and closes the network.
class Network final : public MenuBase {
public:
  Network();
};

} // namespace corvane
