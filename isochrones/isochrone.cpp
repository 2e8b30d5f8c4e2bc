#include "isochrones/isochrone.h"

namespace corvane {

Isochrone::Isochrone()
    : CommandBase({.Caption = "Isochrone Options",
                   .Name = "Isochrone Options",
                   .Tooltip = "Isochrone",
                   .Message = "Sets Isochrones Options",
                   .BitmapId = 7005}) {}

} // namespace corvane
