#include "maintenance/link_list_tool.h"

#include <string>

#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/maintenance/frm_def_road_sp.h"

namespace corvane {

template <class Row> bool LinkListTool<Row>::enabled() {
  return network_loaded() && steps_.list().count() > 0;
}

template <class Row> void LinkListTool<Row>::click() {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  kept_ = NetworkLinkView::Of(map);
  if (!may_ask())
    return;
  const auto choice = AskAllOrSelect(std::string(steps_.caption));
  if (choice == ChoiceAll) {
    steps_.list().clear(kept_.map.get(), kept_.features.get(), steps_.with_labels,
                        steps_.stamps_edited ? NetworkEditedStamp() : settings::Changes{});
    return;
  }
  if (choice == ChoiceSelect)
    show_message(steps_.select_text, "Select", forms::Icon::Information);
  if (steps_.stamps_edited)
    StampNetworkEdited();
}

template <class Row> void LinkListTool<Row>::mouse_down(long, long, long x, long y) {
  if (!CheckLeadingTests(steps_.click_tests))
    return;
  RemoveClickedLink(document().get(), kept_, steps_.list(), x, y, steps_.no_link_text);
}

template class LinkListTool<std::int32_t>;
template class LinkListTool<TempSpeedRow>;

} // namespace corvane
