#include "checks/cul_de_sac.h"

#include <array>
#include <string>

#include "checks/check_road.h"
#include "checks/value_renderer.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/feature_copies.h"
#include "common/layer_lookup.h"
#include "common/network_projection.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/remove_output_shapefile.h"
#include "common/result_field.h"
#include "common/stamp_network_edited.h"
#include "common/value_style.h"
#include "host/layer.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr std::string_view FlaggedLinks = "CV_RESULT > 0 ";
constexpr int SolidLine = 0;

// The kinds of dead end the engine tells apart, by their values 1 to 4.
constexpr std::array<ValueStyle, 4> dead_end_kinds{{
    {"1", "Cul De Sac", 0, 255, 0},
    {"2", "Loops", 255, 0, 0},
    {"3", "Bridge", 56, 45, 121},
    {"4", "Minor Net", 248, 36, 236},
}};

// The legend label of a kind with its number of links, with the blank after it:
// "Cul De Sac ( 12 ) ".
std::string kind_label(std::string_view label, int links) {
  return std::string(label) + " ( " + std::to_string(links) + " ) ";
}

} // namespace

CulDeSac::CulDeSac()
    : CommandBase({.Caption = "Detect Cul-De-Sac",
                   .Name = "Detects the Cul_De_Sacs in the Network",
                   .Tooltip = "Cul_De_Sac",
                   .Message = "Detects the Cul_De_Sac in the Network",
                   .BitmapId = 7050}) {}

void CulDeSac::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    // The projection is tested before the engine writes its values and before the old output
    // is deleted, so that a refusal changes nothing.
    if (!CheckNetworkReady(map.get()) || RefuseNetworkNamedAs(CulDeSacOutput, "Cul_De_Sac") ||
        !NetworkProjectionPresent())
      return;
    BusyPointer busy;
    RunEngineCheck([](tamix::NetCalc& calc) { return calc.FindDeadEnds(3); },
                   CostReset::BeforeAndAfterFind);

    map->ClearSelection();
    const auto view = require(document()->ActiveView(), "ActiveView");
    const auto workspace = OpenNetworkWorkspace();
    RemoveOutputShapefile(map.get(), view.get(), CulDeSacOutput);
    if (!CopyNetworkProjection({CulDeSacOutput}))
      return;
    const auto network = NetworkFeatureClass(map.get());
    const auto output = WriteOutputWhole(CulDeSacOutput, [&](std::string_view scratch) {
      // The set has the network's fields as they are, so the links copy with their values.
      const auto fields = require(network->Fields(), "Fields");
      CopyNetworkLinks(
          CreateLikeNetwork(workspace.get(), network.get(), scratch, fields.get()).get(),
          network.get(), FlaggedLinks, nullptr);
    });
    check_call(map->AddLayer(LayerOver(output).get()), "AddLayer");
    DrawCulDeSacRenderer();

    // The result now lives in "CulDeSac.shp" alone.
    auto& state = shared_state();
    state.gEngineResult = require(state.gNetCalc, "NetCalc")->ClearResultField(-1, 0);
    StampNetworkEdited();
  });
}

void CulDeSac::DrawCulDeSacRenderer() {
  const auto map = focus_map();
  const auto index = FindLayerIndex(map.get(), CulDeSacOutput, "L");
  if (index == NoLayer)
    return;
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(index), "CulDeSac layer");
  const int field =
      require(layer->FeatureClass(), "FeatureClass")->FindField(std::string(ResultFieldName));
  DrawValueClasses(
      *document(), *layer, ResultFieldName, field, dead_end_kinds,
      [] {
        const auto symbol = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
        symbol->SetStyle(SolidLine);
        symbol->SetWidth(3.0);
        return symbol;
      },
      // The legend shows each kind's final count of links.
      [](const ValueStyle& kind, int links) { return kind_label(kind.label, links); });
}

} // namespace corvane
