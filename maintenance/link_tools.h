#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"
#include "host/active_view.h"
#include "host/document.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/row.h"
#include "host/table.h"
#include "maintenance/link_list.h"

namespace corvane {

// What the tools on network links work on: the focus map, as map and as active view, the
// network layer and its feature class. The close-road and set-speed tools look it up on every
// click; the open-road and default-speed tools keep it from their last OnClick.
struct NetworkLinkView {
  com::ComPtr<host::HostMap> map;
  com::ComPtr<host::HostActiveView> view;
  com::ComPtr<host::HostFeatureLayer> layer;
  com::ComPtr<host::HostFeatureClass> features;

  // The map with its network layer, which the pre-check found in it.
  static NetworkLinkView Of(com::ComPtr<host::HostMap> map);

  bool empty() const { return !layer; }
  // The network link under the screen pixel (x, y) of a click (PickNetworkLink); null when the
  // layer has no links.
  com::ComPtr<host::HostFeature> pick(host::HostDocument* document, long x, long y) const;
};

// A network link's number: its feature id plus one.
std::int32_t LinkNumberOf(host::HostFeature& link);

// A click of the open-road or default-speed tool: in "Select" mode (the latest answer of
// FrmDefRoadSp) the link under it leaves `list`; without a link under it the user is told
// `no_link_text`. Ends quietly when no OnClick kept a network layer yet.
template <class Row>
void RemoveClickedLink(host::HostDocument* document, const NetworkLinkView& kept,
                       LinkList<Row> list, long x, long y, std::string_view no_link_text);

} // namespace corvane
