#include "maintenance/set_dyn_speed.h"

namespace corvane {

SetDynSpeed::SetDynSpeed()
    : ToolBase({.Caption = "Set Road Speed",
                .Name = "Set Road Speed",
                .Tooltip = "Change Road Speed",
                .Message = "Sets a Temporary Road Speed",
                .BitmapId = 7012}) {}

} // namespace corvane
