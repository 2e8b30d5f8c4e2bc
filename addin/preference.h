#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The submenu of the option dialogs.
class Preference final : public MenuBase {
public:
  Preference();
};

} // namespace corvane
