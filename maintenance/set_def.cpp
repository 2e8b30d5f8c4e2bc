#include "maintenance/set_def.h"

#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/maintenance/frm_def_road_sp.h"
#include "maintenance/link_list.h"
#include "network/network_loaded.h"
#include "network/shared_state.h"

namespace corvane {

SetDef::SetDef()
    : ToolBase({.Caption = "Set Default Speed",
                .Name = "Set Default Speed",
                .Tooltip = "Set Default Speed",
                .Message = "Sets the Road Speed to it's Original Value",
                .BitmapId = 7031}) {}

bool SetDef::enabled() {
  return network_loaded() && shared_state().gTempSpeedCount > 0;
}

void SetDef::click() {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  kept_ = NetworkLinkView::Of(map);
  if (!network_loaded())
    return;
  if (shared_state().gTempSpeedCount == 0) {
    show_message("No features found with TEMPORARY Speed", "Features Not Found",
                 forms::Icon::Exclamation);
    return;
  }
  const auto choice = AskAllOrSelect("Set Default Speed");
  if (choice == ChoiceAll) {
    // The stamp goes with the emptied section, in the one write of the file.
    TempSpeedList().clear(kept_.map.get(), kept_.features.get(), false, NetworkEditedStamp());
    return;
  }
  if (choice == ChoiceSelect)
    show_message("Click on the road to set the default speed", "Select", forms::Icon::Information);
  StampNetworkEdited();
}

void SetDef::mouse_down(long, long, long x, long y) {
  if (!CheckLeadingTests(LeadingTests::EditSessionAndSettingsFile))
    return;
  RemoveClickedLink(document().get(), kept_, TempSpeedList(), x, y,
                    "No feature found with TEMPORARY Speed");
}

} // namespace corvane
