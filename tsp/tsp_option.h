#pragma once

#include "command/command_base.h"

namespace corvane {

// Sets the TSP mode: runs the network pre-check (the network layer need not be in the map) and
// shows FrmTsp.
class TspOption final : public CommandBase<> {
public:
  TspOption();

protected:
  void click() override;
};

} // namespace corvane
