#include "maintenance/close_link.h"

namespace corvane {

CloseLink::CloseLink()
    : ToolBase({.Caption = "Close Road",
                .Name = "Close Road",
                .Tooltip = "Close Road",
                .Message = "Closes the Road",
                .BitmapId = 7037}) {}

} // namespace corvane
