#include "network/route_colour.h"

#include "common/check_network_ready.h"
#include "dialogs/network/coloring.h"
#include "forms/user.h"

namespace corvane {

void ChooseRouteColour() {
  if (!CheckNetworkReady(nullptr))
    return;
  auto& dialog = gColoringForm();
  dialog.Show(forms::ShowMode::Modal);
  while (dialog.Visible())
    forms::DoEvents();
}

} // namespace corvane
