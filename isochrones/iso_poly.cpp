#include "isochrones/iso_poly.h"

namespace corvane {

IsoPoly::IsoPoly()
    : ToolBase({.Caption = "IsoPoly",
                .Name = "IsoPoly",
                .Tooltip = "Polygon Isochrones",
                .Message = "Calculates Polygon Isochrones",
                .BitmapId = 7005}) {}

} // namespace corvane
