#include "isochrones/isochrone.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/check_network_ready.h"
#include "common/output_sets.h"
#include "dialogs/network/frm_isochrone.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/table.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// The add-in's own polygon outputs are never offered for clipping.
constexpr std::array<std::string_view, 3> OwnPolygonOutputs{BatchIsochroneOutput, IsoPoly1Output,
                                                            IsoPolyOutput};

// The names of the map's polygon feature layers, in map order.
std::vector<std::string> clip_layer_names(host::HostMap& map) {
  std::vector<std::string> names;
  const int count = map.LayerCount();
  for (int position = 0; position < count; ++position) {
    const auto layer = require(map.Layer(position), "Map.Layer").as<host::HostFeatureLayer>();
    if (!layer)
      continue;
    const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
    if (features->ShapeType() != host::geometry_polygon ||
        std::ranges::find(OwnPolygonOutputs, features->AliasName()) != OwnPolygonOutputs.end())
      continue;
    names.push_back(layer->Name());
  }
  return names;
}

} // namespace

Isochrone::Isochrone()
    : CommandBase({.Caption = "Isochrone Options",
                   .Name = "Isochrone Options",
                   .Tooltip = "Isochrone",
                   .Message = "Sets Isochrones Options",
                   .BitmapId = 7005}) {}

void Isochrone::click() {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  auto& dialog = gFrmIsochroneForm();
  dialog.ClipCombo.Clear();
  const auto names = clip_layer_names(*map);
  for (const auto& name : names)
    dialog.ClipCombo.AddItem(name);
  const auto& wanted = shared_state().gClipLayerName;
  if (!wanted.empty() && std::ranges::find(names, wanted) != names.end())
    dialog.ClipCombo.SetText(wanted);
  else if (!names.empty())
    dialog.ClipCombo.SetText(names.front());
  dialog.Show(forms::ShowMode::Modal);
}

} // namespace corvane
