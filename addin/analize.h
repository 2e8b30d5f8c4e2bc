#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The submenu of the network checks.
class Analize final : public MenuBase {
public:
  Analize();
};

} // namespace corvane
