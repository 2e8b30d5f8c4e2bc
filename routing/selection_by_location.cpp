#include "routing/selection_by_location.h"

namespace corvane {

SelectionByLocation::SelectionByLocation()
    : CommandBase({.Caption = "Gazetteer Selection",
                   .Name = "Gazetteer Selection",
                   .Tooltip = "Select Route By Location",
                   .Message = "Calculate the Route from Gazetteer",
                   .BitmapId = 7039}) {}

} // namespace corvane
