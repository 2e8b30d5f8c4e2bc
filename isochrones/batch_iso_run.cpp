#include "isochrones/batch_iso_run.h"

#include "com/letter_case.h"
#include "common/clip_zones.h"
#include "common/copy_zone_features.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

bool IsBatchIsoOutputName(std::string_view dataset) {
  return NamedLikeBatchIsochrone(dataset) || com::equal_ignoring_case(dataset, BIsochroneOutput);
}

bool BatchIsoRun::points_present(std::string_view text, std::string_view title, forms::Icon icon) {
  RemoveBatchIsoFlags(map, network_reference);
  if (point_count > 0)
    return true;
  show_message(text, title, icon);
  click.end_without_result();
  return false;
}

bool BatchIsoRun::collect(BatchIsoCollection& collected,
                          const std::function<PointWorked(const BatchPoint&)>& per_point) {
  collected = CollectBatchIsoPoints(map, *points, point_count, label_field, network_reference,
                                    problems, per_point);
  if (!collected.points.empty())
    return true;
  click.end_without_result();
  return false;
}

ClipExtent BatchIsoClipExtent(const BatchIsoRun& run) {
  const auto clip_layer = FindClipLayer(run.map);
  return clip_layer ? ExtentIn(*clip_layer, run.network_reference) : ClipExtent{};
}

bool ClipBatchIsoZones(BatchIsoRun& run, std::string_view input) {
  const auto clip_layer = FindClipLayer(run.map);
  if (!clip_layer)
    return BatchIsoZonesShown(run, ZonesShown::NoClipLayer);
  const auto order = shared_state().gAllowOverlap == Overlap::Allowed ? ZoneOrder::FirstFirst
                                                                      : ZoneOrder::LastFirst;
  return BatchIsoZonesShown(run,
                            ClipZones(run.map, input, BatchIsochroneOutput, clip_layer.get(), order)
                                ? ZonesShown::Shown
                                : ZonesShown::NoneLeft);
}

bool BatchIsoZonesShown(BatchIsoRun& run, ZonesShown shown) {
  if (shown == ZonesShown::NoClipLayer) {
    show_message("Clip layer not found", "Layer Not Found", forms::Icon::Information);
    run.click.end_without_result();
    return false;
  }
  if (shown == ZonesShown::NoneLeft) {
    RemoveBatchIsoTemporaries(run.map);
    return false;
  }
  return true;
}

void RemoveBatchIsoOutput(host::HostMap* map) {
  RemovePolygonOutput(map, BatchIsochroneOutput);
  RemovePolygonOutput(map, BatchIsochrone1Output);
  RemovePolygonOutput(map, BatchIsochrone3Output);
}

void RemoveBatchIsoTemporaries(host::HostMap* map) {
  for (const auto name : {BatchIsochrone1Output, BatchIsochrone3Output, BIsochroneOutput}) {
    try {
      RemovePolygonOutput(map, name);
    } catch (const HandlerEnd&) {
      // A temporary left behind is replaced by the next run.
    }
  }
}

} // namespace corvane
