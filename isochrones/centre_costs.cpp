#include "isochrones/centre_costs.h"

#include "common/apply_engine_settings.h"
#include "common/centre_zones.h"
#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "network/result_field.h"
#include "network/shared_state.h"

namespace corvane {

void SolveCentresIntoNetwork(host::HostMap& map, const std::vector<std::int32_t>& centre_nodes) {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  // The engine keeps breaks until cleared; the polygon tools read the list this run leaves.
  SendZoneBreaks(calc);
  std::int32_t stop = 0;
  for (const auto node : centre_nodes)
    state.gEngineResult = calc.SetStop(++stop, node);
  state.gEngineResult = calc.SolveMultiCentre(static_cast<std::int16_t>(stop), state.gZoneMax);
  state.gEngineResult = calc.WriteResults();

  AddResultFieldIfMissing(NetworkFeatureClass(&map).get(), CostField);
  // Every link's cost of this run, 0 where no centre reaches it, written into the .dbf alone.
  SetResultTableAndField(CostField);
  state.gEngineResult = calc.WriteCostsToResult(-1, 0, -1);
  SetResultTableAndField();
}

} // namespace corvane
