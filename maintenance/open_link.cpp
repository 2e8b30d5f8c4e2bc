#include "maintenance/open_link.h"

#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "dialogs/maintenance/frm_def_road_sp.h"
#include "maintenance/link_list.h"
#include "network/shared_state.h"

namespace corvane {

OpenLink::OpenLink()
    : ToolBase({.Caption = "Open Road",
                .Name = "Open Road",
                .Tooltip = "Open Road",
                .Message = "Open the Closed Road(s)",
                .BitmapId = 7035}) {}

bool OpenLink::enabled() {
  return network_loaded() && shared_state().gClosedLinkCount > 0;
}

void OpenLink::click() {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  kept_ = NetworkLinkView::Of(map);
  const auto choice = AskAllOrSelect("OPEN ROAD");
  if (choice == ChoiceAll)
    ClosedRoadList().clear(kept_.map.get(), kept_.features.get(), true);
  else if (choice == ChoiceSelect)
    show_message("Click on the road to be opened", "Select", forms::Icon::Information);
}

void OpenLink::mouse_down(long, long, long x, long y) {
  if (!CheckLeadingTests(LeadingTests::EditSession))
    return;
  RemoveClickedLink(document().get(), kept_, ClosedRoadList(), x, y, "No feature selected");
}

} // namespace corvane
