#include "tsp/tsp_option.h"

#include "common/check_network_ready.h"
#include "dialogs/tsp/frm_tsp.h"

namespace corvane {

TspOption::TspOption()
    : CommandBase({.Caption = "TSP Options",
                   .Name = "Tsp Option",
                   .Tooltip = "TSP Option",
                   .Message = "Set TSP tour options",
                   .BitmapId = 7004},
                  KeepOnCreate::ApplicationOnly) {}

void TspOption::click() {
  // The options belong to the network, not to its layer: no map, so no layer test.
  if (!CheckNetworkReady(nullptr))
    return;
  gFrmTspForm().Show(forms::ShowMode::Modal);
}

} // namespace corvane
