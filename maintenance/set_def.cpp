#include "maintenance/set_def.h"

#include "network/shared_state.h"

namespace corvane {

SetDef::SetDef()
    : ToolBase({.Caption = "Set Default Speed",
                .Name = "Set Default Speed",
                .Tooltip = "Set Default Speed",
                .Message = "Sets the Road Speed to it's Original Value",
                .BitmapId = 7031}) {}

bool SetDef::enabled() {
  return network_loaded() && shared_state().gTempSpeedCount > 0;
}

} // namespace corvane
