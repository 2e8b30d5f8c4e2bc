#include "isochrones/link_isochrone.h"

namespace corvane {

LinkIsochrone::LinkIsochrone()
    : ToolBase({.Caption = "Link Isochrone",
                .Name = "Link Isochrone",
                .Tooltip = "Link Isochrones",
                .Message = "Calculates Link Isochrones",
                .BitmapId = 7007}) {}

} // namespace corvane
