#include "isochrones/iso_poly3.h"

#include "isochrones/centre_set.h"

namespace corvane {

IsoPoly3::IsoPoly3()
    : ToolBase({.Caption = "Nearest Center",
                .Name = "Nearest Center",
                .Tooltip = "Get Nearest Center",
                .Message = "Calculates the Nearest Zones for the Specified Points",
                .BitmapId = 7046}) {}

bool IsoPoly3::enabled() {
  return network_loaded_or_drop_centres(CentreSetOpen);
}

} // namespace corvane
