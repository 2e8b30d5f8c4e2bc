#include "checks/unused_link.h"

namespace corvane {

UnusedLink::UnusedLink()
    : CommandBase({.Caption = "Show Unused Links",
                   .Name = "UnusedLink",
                   .Tooltip = "Detect Unused Link",
                   .Message = "Detects the Unused Links in the Network",
                   .BitmapId = 7058}) {}

} // namespace corvane
