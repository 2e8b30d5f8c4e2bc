#pragma once

#include "command/command_base.h"

namespace corvane {

// Finds the dead ends of the network.
class CulDeSac final : public CommandBase<> {
public:
  CulDeSac();

private:
  void click() override;
  // Draws the "CulDeSac" layer with one colour per kind, labelled with its number of links.
  void DrawCulDeSacRenderer();
};

} // namespace corvane
