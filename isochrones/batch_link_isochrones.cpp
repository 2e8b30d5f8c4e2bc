#include "isochrones/batch_link_isochrones.h"

#include "common/network_projection.h"
#include "dialogs/isochrones/legend.h"
#include "isochrones/centre_costs.h"
#include "isochrones/link_cost_ramp.h"
#include "isochrones/nearest_point_renderer.h"
#include "network/state/shared_state.h"

namespace corvane {

bool BatchLinkIsochrones(BatchIsoRun& run) {
  auto& state = shared_state();
  if (!run.points_present("No point founds to generate IsoChrone", "Nothing Found",
                          forms::Icon::Exclamation))
    return false;
  gLegendForm().Show(forms::ShowMode::Modal);
  BatchIsoCollection collected;
  if (!run.collect(collected))
    return false;
  // Tested before the engine writes: a network without a coordinate system gets no results. The
  // links carry the results, so no "BatchIsochrone" is written and no projection left for it.
  if (!CopyNetworkProjection({})) {
    run.click.end_without_result();
    return false;
  }
  if (!SolveCentresIntoNetwork(*run.map, collected.nodes()))
    return false;

  if (state.gZoneCount > 1) {
    if (state.gLegendType == LegendByCost)
      RenderLinkCostRamp(run.document, run.map, CostField, LinkZoneBreaks(), state.gZoneCount);
    else if (state.gLegendType == LegendByNearestCentre)
      RenderNearestPoint(run.document, run.map, "Nearest Point",
                         static_cast<std::int32_t>(collected.points.size()));
  }
  state.gNetworkResultPresent = true;
  return true;
}

} // namespace corvane
