#include "isochrones/batch_zone_polygons.h"

#include <string>

#include "common/centre_zones.h"
#include "common/engine_error_text.h"
#include "common/network_workspace.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/zone_polygon_output.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "host/fields.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"

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

// One engine run per point into `zones`: a point the engine fails on is left out with its
// problem line. False when a zone came back without a shape (after the message).
bool write_overlapping_zones(BatchIsoRun& run, std::string_view zones_name,
                             const ClipExtent& extent) {
  auto& calc = *require(shared_state().gNetCalc, "NetCalc");
  const auto carried = carried_field(run);
  const auto output = CreateCentreZoneClass(zones_name, carried.get());
  bool whole = true;
  bool any = false;
  // The zones of the points done, Escape or not, take the output's place whole.
  FillOutputWhole(*output, [&](host::HostFeatureClass& zones) {
    CentreZoneWriter writer(calc, zones, BatchIsochrone3Output, extent,
                            carried ? carried->Name() : std::string());
    BatchIsoCollection collected;
    any = run.collect(collected, [&](const BatchPoint& point) -> PointWorked {
      switch (writer.append(point.node, point.id, point.value)) {
      case CentreZoneWriter::Appended::Zones:
        return {};
      case CentreZoneWriter::Appended::EngineFailed:
        return {.left_out_because = "No zones: " + EngineErrorText(shared_state().gEngineResult)};
      case CentreZoneWriter::Appended::ZoneWithoutShape:
        break;
      }
      whole = false;
      return {.left_out_because = {}, .stop = true};
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
  BatchIsoCollection collected;
  if (!run.collect(collected))
    return false;
  if (WriteMergedZonePolygons(*require(shared_state().gNetCalc, "NetCalc"), collected.nodes(),
                              zones, extent))
    return true;
  run.click.end_without_result();
  return false;
}

} // namespace

bool BatchZonePolygons(BatchIsoRun& run) {
  const auto sets =
      MultiCentreZoneSets(BatchIsochroneOutput, BIsochroneOutput, BatchIsochrone1Output);
  if (!CopyZonePolygonProjection(sets)) {
    run.click.end_without_result();
    return false;
  }
  if (!run.points_present("Corrupt data", "Nothing Found", forms::Icon::Exclamation))
    return false;
  const ClipExtent extent = sets.clipping ? BatchIsoClipExtent(run) : ClipExtent{};

  if (sets.overlap ? !write_overlapping_zones(run, sets.written(), extent)
                   : !write_merged_zones(run, sets.written(), extent))
    return false;
  if (!BatchIsoZonesShown(run, ShowZonePolygons(run.map, sets)))
    return false;
  RenderZonesByCostEnd(run.document, run.map, BatchIsochroneOutput, ZoneLimits());
  MoveNetworkLayerToTop(run.map);
  require(run.document->ActiveView(), "ActiveView")->Refresh();
  return true;
}

} // namespace corvane
