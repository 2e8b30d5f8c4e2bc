#include "checks/close_node.h"

#include <array>
#include <optional>
#include <string>

#include "checks/check_road.h"
#include "checks/value_renderer.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/network_projection.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/value_style.h"
#include "dialogs/checks/frm_close_node.h"
#include "host/layer.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr std::string_view ConnectedField = tamix::output::connected_field;
// The host's field index of "Connected": the object id, the shape, the node number, then it.
constexpr int ConnectedIndex = 3;
constexpr int DiamondMarker = 4;

constexpr std::array<ValueStyle, 2> connected_kinds{{
    {"1", "Connected", 0, 255, 0},
    {"0", "Not Connected", 255, 0, 0},
}};

std::int32_t feature_count(host::HostFeatureClass* features) {
  std::int32_t count = 0;
  check_call(features->FeatureCount(nullptr, &count), "FeatureCount");
  return count;
}

} // namespace

CloseNode::CloseNode()
    : CommandBase({.Caption = "Detect Close Nodes",
                   .Name = "Detect CloseNodes",
                   .Tooltip = "Detect CloseNodes",
                   .Message = "Detects the Close Nodes in the Network",
                   .BitmapId = 7049}) {}

void CloseNode::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    if (!CheckNetworkReady(map.get()) ||
        RefuseNetworkNamedAs(CloseNodeOutput, "Detect Close Nodes"))
      return;
    auto& state = shared_state();
    const auto view = require(document()->ActiveView(), "ActiveView");
    com::ComPtr<host::HostFeatureLayer> layer;
    std::optional<BusyPointer> busy;
    // Asked again with a larger distance until some node is found, or the user gives up.
    while (true) {
      state.gCloseNodeOk = 0;
      RemovePointOutput(map.get(), view.get(), CloseNodeOutput);
      gFrmCloseNodeForm().Show(forms::ShowMode::Modal);
      if (state.gCloseNodeOk == 0)
        return;
      if (!CopyNetworkProjection({CloseNodeOutput}))
        return;
      busy.emplace();
      EngineChecked(require(state.gNetBase, "NetBase")->CreateNodeIndex());
      const auto nodes = WriteEnginePoints(CloseNodeOutput, [&](tamix::NetBase& base) {
        return base.ExportCloseNodes(state.gCloseNodeValue);
      });
      layer = LayerOver(nodes);
      if (feature_count(nodes.get()) > 0)
        break;
      busy.reset();
      show_message("Increase the snap tolerance", "Increase Tolerance", forms::Icon::Exclamation);
    }
    check_call(map->AddLayer(layer.get()), "AddLayer");
    ApplyCloseNodeRenderer();
    StampNetworkEdited();
  });
}

void CloseNode::ApplyCloseNodeRenderer() {
  const auto map = focus_map();
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(0), "closenodes layer");
  DrawValueClasses(
      *document(), *layer, ConnectedField, ConnectedIndex, connected_kinds,
      [] {
        const auto symbol = create<host::HostSimpleMarkerSymbol>(host::SimpleMarkerSymbolClass);
        symbol->SetStyle(DiamondMarker);
        symbol->SetSize(3.0);
        return symbol;
      },
      [](const ValueStyle& kind, int) { return std::string(kind.label); });
}

} // namespace corvane
