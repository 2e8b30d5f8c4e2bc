#pragma once

#include "addin/command_bar_base.h"

namespace corvane {

// The root menu "Corvane": the four submenus and the commands of the whole add-in.
class Corvane1 final : public MenuBase {
public:
  Corvane1();
};

} // namespace corvane
