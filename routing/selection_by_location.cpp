#include "routing/selection_by_location.h"

#include "network/state/handler_end.h"

namespace corvane {

SelectionByLocation::SelectionByLocation()
    : CommandBase({.Caption = "Gazetteer Selection",
                   .Name = "Gazetteer Selection",
                   .Tooltip = "Select Route By Location",
                   .Message = "Calculate the Route from Gazetteer",
                   .BitmapId = 7039}) {}

void SelectionByLocation::click() {
  route_.run(application().get(), require(document(), "Document").get());
}

} // namespace corvane
