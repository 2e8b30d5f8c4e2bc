#include "isochrones/batch_zone_polygons.h"

#include <string>

#include "common/centre_zones.h"
#include "common/copy_zone_features.h"
#include "common/handler_end.h"
#include "common/network_projection.h"
#include "common/network_workspace.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "host/fields.h"
#include "network/shared_state.h"
#include "win/paths.h"

namespace corvane {

namespace {

void corrupt_zone() {
  show_message("Corrupt data found. Exiting Batch Isochrone ", "Currupt Data",
               forms::Icon::Critical);
}

// The definition of the label field, carried into the zones; none without a label field.
com::ComPtr<host::HostField> carried_field(const BatchIsoRun& run) {
  if (run.label_field.empty())
    return nullptr;
  const auto fields = require(run.points->Fields(), "FeatureClass.Fields");
  const auto field = require(fields->Field(fields->FindField(run.label_field)), "Fields.Field");
  return CopiedFieldDefinition(*field);
}

// One engine run per point: false when a zone came back without a shape (after the message).
bool write_overlapping_zones(BatchIsoRun& run, bool clipping, const ClipExtent& extent) {
  auto& calc = *require(shared_state().gNetCalc, "NetCalc");
  const auto carried = carried_field(run);
  const auto output =
      CreateCentreZoneClass(clipping ? BatchIsoZonesToClip : BatchIsoOutput, carried.get());
  bool whole = true;
  bool any = false;
  // The zones of the points done, Escape or not, take the output's place whole.
  FillOutputWhole(*output, [&](host::HostFeatureClass& zones) {
    CentreZoneWriter writer(zones, BatchIsoCentreZones, extent,
                            carried ? carried->Name() : std::string());
    BatchIsoCollection collected;
    any = run.collect(collected, [&](const BatchPoint& point) {
      whole = writer.append(calc, point.node, point.id, point.value);
      return whole;
    });
    writer.flush();
  });
  if (!whole) {
    corrupt_zone();
    return false;
  }
  return any;
}

// One engine run from every point at once into `zones`.
bool write_merged_zones(BatchIsoRun& run, std::string_view zones, const ClipExtent& extent) {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  BatchIsoCollection collected;
  if (!run.collect(collected))
    return false;
  std::int32_t stop = 0;
  for (const auto& point : collected.points)
    state.gEngineResult = calc.SetStop(++stop, point.node);
  SendZoneBreaks(calc);
  require(state.gNetBase, "NetBase")->SetOutputOption(1);
  state.gEngineResult = calc.WriteZonePolygons(
      win::join_path(state.gNetworkFolder, std::string(zones)), stop, state.gDoughnut ? -1 : 0,
      extent.min_x, extent.min_y, extent.max_x, extent.max_y);
  return true;
}

} // namespace

bool BatchZonePolygons(BatchIsoRun& run) {
  const auto& state = shared_state();
  const bool clipping = state.gClipMode == 1;
  const bool overlap = state.gAllowOverlap == 2;
  // Each set the mode writes gets the projection, and only those: with overlap the zones are
  // written straight into the output, with no merged set.
  if (!(clipping  ? CopyNetworkProjection({BatchIsoZonesToClip})
        : overlap ? CopyNetworkProjection({BatchIsoOutput})
                  : CopyNetworkProjection({BatchIsoOutput, BatchIsoMergedZones}))) {
    run.click.end_without_result();
    return false;
  }
  if (!run.points_present("Corrupt data", "Nothing Found", forms::Icon::Exclamation))
    return false;
  const ClipExtent extent = clipping ? BatchIsoClipExtent(run) : ClipExtent{};

  if (overlap
          ? !write_overlapping_zones(run, clipping, extent)
          : !write_merged_zones(run, clipping ? BatchIsoZonesToClip : BatchIsoMergedZones, extent))
    return false;

  if (clipping) {
    if (!ClipBatchIsoZones(run, BatchIsoZonesToClip))
      return false;
  } else if (overlap) {
    ShowFeatureClass(run.map, open_feature_class(OpenNetworkWorkspace().get(), BatchIsoOutput));
  } else {
    const auto zones = open_feature_class(OpenNetworkWorkspace().get(), BatchIsoMergedZones);
    ShowFeatureClass(run.map, CopyZoneFeatures(zones.get(), BatchIsoOutput, ZoneOrder::LastFirst));
  }
  RenderZonesByCostEnd(run.document, run.map, BatchIsoOutput, ZoneLimitList());
  MoveNetworkLayerToTop(run.map);
  require(run.document->ActiveView(), "ActiveView")->Refresh();
  return true;
}

} // namespace corvane
