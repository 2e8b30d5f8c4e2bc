#pragma once

#include "command/command_base.h"

namespace corvane {

// Sets the speed and the name of each road class, in FrmSetSpeed. Refused in an edit session,
// without "Corvane.ini", and for a network without road classes.
class SpeedSet final : public CommandBase<> {
public:
  SpeedSet();

protected:
  void click() override;
};

} // namespace corvane
