#include "isochrones/multy_poly.h"

#include "isochrones/centre_set.h"
#include "network/shared_state.h"

namespace corvane {

MultyPoly::MultyPoly()
    : ToolBase({.Caption = "Multi Poly Isochrone",
                .Name = "MultiPolygonIschrone",
                .Tooltip = "Multi-Centre Polygon Isochrones",
                .Message = "Calculates Multi-Centre Polygon Isochrones",
                .BitmapId = 7051}) {}

bool MultyPoly::enabled() {
  return network_loaded_or_drop_centres(shared_state().gCentreSetOpen);
}

} // namespace corvane
