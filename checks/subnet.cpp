#include "checks/subnet.h"

#include <string>

#include "checks/check_road.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/checks/subnets.h"
#include "network/state/shared_state.h"

namespace corvane {

Subnet::Subnet()
    : CommandBase({.Caption = "Detect Sub Nets",
                   .Name = "SubNet",
                   .Tooltip = "SubNet",
                   .Message = "Detects the Sub Nets in the Network",
                   .BitmapId = 7052}) {}

void Subnet::click() {
  RunWithErrorBox([&] {
    if (!CheckNetworkReady(focus_map().get()))
      return;
    auto& state = shared_state();
    BusyPointer busy;
    state.gSubnetCount = RunEngineCheck(
        [](tamix::NetCalc& calc) { return calc.FindSubnets(); }, CostReset::AfterFind);
    busy.reset();
    if (state.gSubnetCount < 1) {
      show_message("No sub nets found", "Subnets", forms::Icon::Information);
      return;
    }
    show_message(std::to_string(state.gSubnetCount) + " Sub nets found in the present network",
                 "Detect Sub Nets", forms::Icon::Information);
    auto& dialog = gSubnetsForm();
    dialog.TotNets.Clear();
    for (std::int32_t subnet = 1; subnet <= state.gSubnetCount; ++subnet)
      dialog.TotNets.AddItem(std::to_string(subnet));
    // Returns once the dialog is closed, by CLOSE or by its frame.
    dialog.Show(forms::ShowMode::Modal);
    StampNetworkEdited();
  });
}

} // namespace corvane
