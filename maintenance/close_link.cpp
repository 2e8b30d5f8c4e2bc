#include "maintenance/close_link.h"

#include <string>

#include "common/check_network_ready.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "common/show_message.h"
#include "maintenance/link_list.h"
#include "maintenance/link_tools.h"
#include "network/state/shared_state.h"

namespace corvane {

CloseLink::CloseLink()
    : ToolBase({.Caption = "Close Road",
                .Name = "Close Road",
                .Tooltip = "Close Road",
                .Message = "Closes the Road",
                .BitmapId = 7037}) {}

void CloseLink::mouse_down(long, long, long x, long y) {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  const auto kept = NetworkLinkView::Of(map);
  const auto link = kept.pick(document().get(), x, y);
  if (!link)
    return;
  const auto marker = LinkPointAt(link.get(), ClosedRoadMarkerRatio);
  const auto number = LinkNumberOf(*link);
  auto closed = ClosedRoadList();
  if (closed.row_of(number) != 0)
    return;
  if (closed.full()) {
    show_message("At most " + std::to_string(shared_state().gClosedLinks.upper()) +
                     " roads can be closed at a time",
                 "Close Road", forms::Icon::Exclamation);
    return;
  }
  closed.put(shared_state().gClosedLinkCount + 1, number);
  AddMarkerGraphic(map.get(), marker.get(), MarkerClosedRoad);
}

} // namespace corvane
