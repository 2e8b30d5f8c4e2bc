#include "maintenance/speed_set.h"

namespace corvane {

SpeedSet::SpeedSet()
    : CommandBase({.Caption = "Set Road Speeds",
                   .Name = "Set Road Speeds",
                   .Tooltip = "Set Road Speeds",
                   .Message = "Set the speeds for various road categories",
                   .BitmapId = 7054}) {}

} // namespace corvane
