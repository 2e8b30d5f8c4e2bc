#pragma once

#include "command/command_base.h"

namespace corvane {

// Removes pseudo-nodes: the engine numbers the chains of links that meet only each other, and
// the user either gets them selected or lets the add-in join each chain into single links of
// the network shapefile, after which the network must be created again.
class PseudoNodes final : public CommandBase<> {
public:
  PseudoNodes();

private:
  void click() override;
};

} // namespace corvane
