#include "isochrones/batch_iso_points.h"

#include "common/batch_progress.h"
#include "common/elements_at_point.h"
#include "common/mark_node_point.h"
#include "common/marker_graphic.h"
#include "common/node_search.h"
#include "common/point_at.h"
#include "host/active_view.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

std::vector<std::int32_t> BatchIsoCollection::nodes() const {
  std::vector<std::int32_t> found;
  for (const auto& point : points)
    found.push_back(point.node);
  return found;
}

void RemoveBatchIsoFlags(host::HostMap* map, host::HostSpatialReference* network_reference) {
  auto& state = shared_state();
  if (state.gBatchIsoPointCount < 1)
    return;
  for (std::int32_t row = 0; row < state.gBatchIsoPointCount; ++row) {
    const auto& flag = state.gBatchIsoPoints[row];
    RemoveMarkerGraphic(map, point_at(flag.X, flag.Y, network_reference).get());
  }
  state.gBatchIsoPointCount = 0;
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(map), "view")->Refresh();
}

BatchIsoCollection
CollectBatchIsoPoints(host::HostMap* map, host::HostFeatureClass& layer, std::int32_t count,
                      const std::string& label_field, host::HostSpatialReference* network_reference,
                      std::vector<std::string>& problems,
                      const std::function<PointWorked(const BatchPoint&)>& per_point) {
  auto& state = shared_state();
  auto& base = *require(state.gNetBase, "NetBase");
  BatchIsoCollection collected;
  // Without a node index no point can be snapped; the user has been told why.
  if (!base.HasNodeIndex() && !NodeSearchSucceeded(state.gCallResult = base.CreateNodeIndex()))
    return collected;
  BatchPointReader reader(layer, label_field, state.gBatchIsoLayerName, network_reference, base,
                          problems);
  BatchProgress progress("Batch Isochrones", count);
  collected.points.reserve(static_cast<std::size_t>(count));
  for (std::int32_t id = 0; id < count; ++id) {
    if (!progress.from_point(id)) {
      collected.cancelled = true;
      break;
    }
    auto point = reader.read(id);
    if (!point)
      continue;
    const auto flag = MarkNodePoint(point->node, point_at(0, 0, network_reference).get(), map,
                                    MarkerPolygonCentre);
    state.gBatchIsoPoints[state.gBatchIsoPointCount] = {flag.X, flag.Y};
    ++state.gBatchIsoPointCount;
    if (!per_point) {
      collected.points.push_back(std::move(*point));
      continue;
    }
    const auto worked = per_point(*point);
    if (worked.left_out_because.empty())
      collected.points.push_back(std::move(*point));
    else
      reader.report(id, worked.left_out_because);
    if (worked.stop)
      break;
  }
  return collected;
}

} // namespace corvane
