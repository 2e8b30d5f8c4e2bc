#include "network/route_colour.h"

#include "common/check_network_ready.h"
#include "dialogs/network/coloring.h"

namespace corvane {

void ChooseRouteColour() {
  if (!CheckNetworkReady(nullptr))
    return;
  gColoringForm().Show(forms::ShowMode::Modal);
}

} // namespace corvane
