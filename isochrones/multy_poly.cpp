#include "isochrones/multy_poly.h"

#include "network/shared_state.h"

namespace corvane {

MultyPoly::MultyPoly()
    : ToolBase({.Caption = "Multi Poly Isochrone",
                .Name = "MultiPolygonIschrone",
                .Tooltip = "Multi-Centre Polygon Isochrones",
                .Message = "Calculates Multi-Centre Polygon Isochrones",
                .BitmapId = 7051}) {}

bool MultyPoly::enabled() {
  if (network_loaded())
    return true;
  shared_state().gCentreSetOpen = 0;
  return false;
}

} // namespace corvane
