#include "common/zone_polygon_output.h"

#include <string>

#include "common/clip_zones.h"
#include "common/copy_zone_features.h"
#include "common/engine_error_text.h"
#include "common/network_projection.h"
#include "common/network_workspace.h"
#include "common/send_stops.h"
#include "common/show_message.h"
#include "common/zone_breaks.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/paths.h"

namespace corvane {

ZonePolygonSets MultiCentreZoneSets(std::string_view output, std::string_view merged,
                                    std::string_view to_clip) {
  const auto& state = shared_state();
  return {.output = output,
          .merged = merged,
          .to_clip = to_clip,
          .clipping = state.gClipMode == ClipMode::ToLayer,
          .overlap = state.gAllowOverlap == Overlap::Allowed};
}

bool CopyZonePolygonProjection(const ZonePolygonSets& sets) {
  if (sets.clipping)
    return CopyNetworkProjection({sets.to_clip});
  if (sets.overlap)
    return CopyNetworkProjection({sets.output});
  return CopyNetworkProjection({sets.output, sets.merged});
}

void WriteZonePolygonFile(tamix::NetCalc& calc, std::string_view name, std::int32_t stops,
                          const ClipExtent& extent) {
  auto& state = shared_state();
  // Whatever set the engine's zones go to, they are read into the run's output and then removed:
  // nothing the user keeps waits for the disk.
  require(state.gNetBase, "NetBase")->SetOutputOption(tamix::ScratchShapefileOutput);
  state.gEngineResult = calc.WriteZonePolygons(
      win::join_path(state.gNetworkFolder, std::string(name)), stops, state.gDoughnut ? -1 : 0,
      extent.min_x, extent.min_y, extent.max_x, extent.max_y);
}

bool ZonesWritten(std::string_view name) {
  const auto& state = shared_state();
  if (state.gEngineResult == 0)
    return true;
  // Whatever the folder still holds under that name is not this run's: it must not be shown.
  show_message("The zones could not be written as " +
                   win::join_path(state.gNetworkFolder, std::string(name) + ".shp") + ": " +
                   EngineErrorText(state.gEngineResult),
               "Error", forms::Icon::Critical);
  return false;
}

bool WriteMergedZonePolygons(tamix::NetCalc& calc, const std::vector<std::int32_t>& nodes,
                             std::string_view name, const ClipExtent& extent) {
  const std::int32_t stops = SendStops(calc, nodes);
  SendZoneBreaks(calc);
  WriteZonePolygonFile(calc, name, stops, extent);
  return ZonesWritten(name);
}

ZonesShown ShowZonePolygons(host::HostMap* map, const ZonePolygonSets& sets) {
  if (sets.clipping) {
    const auto clip_layer = FindClipLayer(map);
    if (!clip_layer)
      return ZonesShown::NoClipLayer;
    return ClipZones(map, sets.to_clip, sets.output, clip_layer.get(),
                     sets.overlap ? ZoneOrder::FirstFirst : ZoneOrder::LastFirst)
               ? ZonesShown::Shown
               : ZonesShown::NoneLeft;
  }
  const auto workspace = OpenNetworkWorkspace();
  if (sets.overlap) {
    ShowFeatureClass(map, open_feature_class(workspace.get(), sets.output));
  } else {
    const auto zones = open_feature_class(workspace.get(), sets.merged);
    ShowFeatureClass(map, CopyZoneFeatures(zones.get(), sets.output, ZoneOrder::LastFirst));
  }
  return ZonesShown::Shown;
}

} // namespace corvane
