#include "isochrones/iso_poly3.h"

namespace corvane {

IsoPoly3::IsoPoly3()
    : ToolBase({.Caption = "Nearest Center",
                .Name = "Nearest Center",
                .Tooltip = "Get Nearest Center",
                .Message = "Calculates the Nearest Zones for the Specified Points",
                .BitmapId = 7046}) {}

bool IsoPoly3::enabled() {
  if (network_loaded())
    return true;
  CentreSetOpen = 0;
  return false;
}

} // namespace corvane
