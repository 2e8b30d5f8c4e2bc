#include "maintenance/link_tools.h"

#include "common/click_point.h"
#include "common/layer_lookup.h"
#include "common/pick_network_link.h"
#include "common/show_message.h"
#include "dialogs/maintenance/frm_def_road_sp.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

NetworkLinkView NetworkLinkView::Of(com::ComPtr<host::HostMap> map) {
  NetworkLinkView kept;
  kept.layer = NetworkLayer(map.get());
  kept.features = require(kept.layer->FeatureClass(), "FeatureLayer.FeatureClass");
  kept.view = require_as<host::HostActiveView>(map, "Map as ActiveView");
  kept.map = std::move(map);
  return kept;
}

com::ComPtr<host::HostFeature> NetworkLinkView::pick(host::HostDocument* document, long x,
                                                     long y) const {
  const auto point = ClickMapPoint(map.get(), view.get(), x, y);
  return PickNetworkLink(document, layer.get(), point.get());
}

std::int32_t LinkNumberOf(host::HostFeature& link) {
  return link.OID() + 1;
}

template <class Row>
void RemoveClickedLink(host::HostDocument* document, const NetworkLinkView& kept,
                       LinkList<Row> list, long x, long y, std::string_view no_link_text) {
  if (kept.empty())
    return;
  const auto link = kept.pick(document, x, y);
  if (!link) {
    show_message(no_link_text, "ERROR", forms::Icon::Information);
    return;
  }
  if (shared_state().gDefRoadChoice == ChoiceSelect)
    list.remove(kept.map.get(), kept.features.get(), LinkNumberOf(*link));
  kept.view->Refresh();
}

template void RemoveClickedLink(host::HostDocument*, const NetworkLinkView&, LinkList<std::int32_t>,
                                long, long, std::string_view);
template void RemoveClickedLink(host::HostDocument*, const NetworkLinkView&, LinkList<TempSpeedRow>,
                                long, long, std::string_view);

} // namespace corvane
