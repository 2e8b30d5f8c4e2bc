#include "checks/subnet.h"

namespace corvane {

Subnet::Subnet()
    : CommandBase({.Caption = "Detect Sub Nets",
                   .Name = "SubNet",
                   .Tooltip = "SubNet",
                   .Message = "Detects the Sub Nets in the Network",
                   .BitmapId = 7052}) {}

} // namespace corvane
