#include "isochrones/batch_nearest_centres.h"

#include <string>

#include "common/centre_zones.h"
#include "common/nearest_centre_zones.h"
#include "common/network_workspace.h"
#include "common/remove_output_shapefile.h"
#include "common/zone_renderers.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/output_fields.h"

namespace corvane {

namespace {

// Gives every zone of `zones` the label value of its point, found by the zone's stop number
// ("ID" k is point k - 1 of the run); a zone of no point keeps an empty value.
void carry_label_values(const BatchIsoRun& run, const std::vector<BatchPoint>& points,
                        std::string_view zones_name) {
  const auto fields = require(run.points->Fields(), "FeatureClass.Fields");
  const auto source = require(fields->Field(fields->FindField(run.label_field)), "Fields.Field");
  const auto zones = open_feature_class(OpenNetworkWorkspace().get(), zones_name);
  check_call(zones->AddField(CopiedFieldDefinition(*source).get()), "FeatureClass.AddField");
  const int carried = zones->FindField(run.label_field);
  const int stop_field = zones->FindField(std::string(tamix::output::centre_id_field));
  if (carried < 0 || stop_field < 0)
    throw HandlerEnd("the nearest-centre zones have no field " +
                     (carried < 0 ? run.label_field : std::string(tamix::output::centre_id_field)));
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(zones->Update(nullptr, false, &cursor), "FeatureClass.Update");
  require(cursor, "FeatureClass.Update");
  for (com::ComPtr<host::HostFeature> zone;;) {
    const auto next = cursor->NextFeature(&zone);
    check_call(next, "FeatureCursor.NextFeature");
    if (next == com::S_FALSE || !zone)
      break;
    const auto stop = zone->Value(stop_field).to_double();
    if (!stop || *stop < 1 || *stop > static_cast<double>(points.size()))
      continue;
    check_call(zone->SetValue(carried, points[static_cast<std::size_t>(*stop) - 1].value),
               "SetValue");
    check_call(cursor->UpdateFeature(zone.get()), "FeatureCursor.UpdateFeature");
  }
  check_call(cursor->Flush(), "FeatureCursor.Flush");
}

std::vector<std::string> zone_labels(const BatchIsoRun& run,
                                     const std::vector<BatchPoint>& points) {
  std::vector<std::string> labels;
  for (const auto& point : points)
    labels.push_back(run.label_field.empty() ? "Zone " + std::to_string(labels.size() + 1)
                                             : point.label);
  return labels;
}

} // namespace

bool BatchNearestCentres(BatchIsoRun& run) {
  if (!run.points_present("Corrupt data found. Exiting Batch Isochrone", "Currupt Data",
                          forms::Icon::Exclamation))
    return false;
  BatchIsoCollection collected;
  if (!run.collect(collected))
    return false;
  const auto& points = collected.points;

  const bool clipping = shared_state().gClipMode == ClipMode::ToLayer;
  const ClipExtent extent = clipping ? BatchIsoClipExtent(run) : ClipExtent{};
  const auto zones_name = clipping ? BatchIsochrone2Output : BatchIsochroneOutput;
  if (!WriteNearestCentreZones(*require(shared_state().gNetCalc, "NetCalc"), collected.nodes(),
                               zones_name, extent)) {
    run.click.end_without_result();
    return false;
  }
  if (!run.label_field.empty())
    carry_label_values(run, points, zones_name);

  if (clipping) {
    if (!ClipBatchIsoZones(run, BatchIsochrone2Output))
      return false;
  } else {
    ShowFeatureClass(run.map,
                     open_feature_class(OpenNetworkWorkspace().get(), BatchIsochroneOutput));
  }
  RenderZonesById(run.document, run.map, BatchIsochroneOutput, zone_labels(run, points),
                  "Nearest Zone");
  MoveNetworkLayerToTop(run.map);
  return true;
}

} // namespace corvane
