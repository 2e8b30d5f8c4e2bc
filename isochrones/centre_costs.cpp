#include "isochrones/centre_costs.h"

#include <string>

#include "common/apply_engine_settings.h"
#include "common/engine_error_text.h"
#include "common/layer_lookup.h"
#include "common/result_field.h"
#include "common/send_stops.h"
#include "common/show_message.h"
#include "common/zone_breaks.h"
#include "host/fields.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// What a field holds, as the user knows it.
std::string_view field_kind(int type) {
  switch (type) {
  case host::field_string:
    return "text";
  case host::field_date:
    return "dates";
  default:
    return "values that are not numbers";
  }
}

} // namespace

bool CostFieldUsable(host::HostMap& map) {
  const auto fields = require(NetworkFeatureClass(&map)->Fields(), "Fields");
  const int index = fields->FindField(std::string(CostField));
  if (index < 0)
    return true;
  const int type = require(fields->Field(index), "Fields.Field")->Type();
  if (type == host::field_small_integer || type == host::field_integer ||
      type == host::field_single || type == host::field_double)
    return true;
  show_message("The network layer " + shared_state().gNetworkLayerName + " already has a field " +
                   std::string(CostField) + " that holds " + std::string(field_kind(type)) +
                   ": the link isochrones write each link's cost into that field as a number. "
                   "Rename or delete the field " +
                   std::string(CostField) + " and run again; nothing was changed.",
               "Field Not Usable", forms::Icon::Exclamation);
  return false;
}

bool SolveCentresIntoNetwork(host::HostMap& map, const std::vector<std::int32_t>& centre_nodes) {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  // The engine keeps breaks until cleared; the polygon tools read the list this run leaves.
  SendZoneBreaks(calc);
  const std::int32_t stops = SendStops(calc, centre_nodes);
  state.gEngineResult = calc.SolveMultiCentre(static_cast<std::int16_t>(stops), state.gZoneMax);
  state.gEngineResult = calc.WriteResults();

  if (!AddResultFieldIfMissing(NetworkFeatureClass(&map).get(), CostField))
    return false;
  // Every link's cost of this run, 0 where no centre reaches it, written into the .dbf alone.
  SetResultTableAndField(CostField);
  state.gEngineResult = calc.WriteCostsToResult(-1, 0, -1);
  const auto written = state.gEngineResult;
  SetResultTableAndField();
  if (written == 0)
    return true;
  show_message("The link costs could not be written into the field " + std::string(CostField) +
                   " of the network layer " + state.gNetworkLayerName + ": " +
                   EngineErrorText(written),
               "Error", forms::Icon::Critical);
  return false;
}

} // namespace corvane
