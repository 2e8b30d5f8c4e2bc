#include "isochrones/iso_link_multi.h"

#include <cstdint>
#include <string>

#include "common/apply_engine_settings.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/output_sets.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/result_field.h"
#include "common/stop_label_sweep.h"
#include "dialogs/isochrones/legend.h"
#include "host/active_view.h"
#include "host/query_filter.h"
#include "isochrones/centre_clicks.h"
#include "isochrones/centre_costs.h"
#include "isochrones/link_cost_ramp.h"
#include "isochrones/nearest_point_renderer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

com::ComPtr<host::HostActiveView> active_view_of(host::HostMap& map) {
  return require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "view");
}

// Whether the last run reached some link: one with a nearest centre. The search stops at the
// first such link.
bool reached_some_link(host::HostFeatureClass& network) {
  const auto filter = create<host::HostQueryFilter>(host::QueryFilterClass);
  filter->SetWhereClause(std::string(ResultFieldName) + " > 0");
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(network.Search(filter.get(), true, &cursor), "Search");
  com::ComPtr<host::HostFeature> first;
  check_call(require(cursor, "Search")->NextFeature(&first), "NextFeature");
  return static_cast<bool>(first);
}

} // namespace

IsoLinkMulti::IsoLinkMulti()
    : CentreSetTool({.Caption = "Multi Centered Isochrone",
                     .Name = "LinkIsochrone",
                     .Tooltip = "Multi-Centre Link Isochrones",
                     .Message = "Calculates Multi-Centre Link Isochrones",
                     .BitmapId = 7009},
                    ZoneToolCheck, ClickRun::Pointer::BusyLater) {}

bool IsoLinkMulti::last_centre_usable(host::HostMap& map, host::HostSpatialReference*) {
  // Before the last centre is drawn: the set stays open for a Shift+click once the field is
  // mended.
  return CostFieldUsable(map);
}

void IsoLinkMulti::start_set(host::HostMap& map, host::HostPoint& click) {
  auto& state = shared_state();
  state.gCentreSetOpen = 1;
  // The last run's costs go; before the first run the layer has no "COST" and the engine says
  // so in a code that is not examined.
  SetResultTableAndField(CostField);
  state.gEngineResult = require(state.gNetCalc, "NetCalc")->ClearResultField(-1, 0);

  // A Shift+click leaves its label one row past the count.
  DeleteMarkerLabels(&map, state.gMarkerLabels, state.gMarkerCount + 1);
  DeleteStopLabels(&map, StopNumbers::BlankLed, state.gRouteStopCount, state.gMultiStopCount);
  const auto reference = require(click.SpatialReference(), "SpatialReference");
  RemoveMarkerGraphic(&map,
                      point_at(state.gLinkCentre.X, state.gLinkCentre.Y, reference.get()).get());
  state.gLinkCentre = {0, 0};
  const auto view = active_view_of(map);
  view->Refresh();
  RemoveOutputShapefile(&map, view.get(), BatchLayerOutput);

  StartCentreList(map, click);
}

bool IsoLinkMulti::calculate(host::HostMap& map, ClickRun& run) {
  auto& state = shared_state();
  ApplyEngineSettings();
  const bool written = SolveCentresIntoNetwork(map, CentreListNodes());
  const auto network = NetworkFeatureClass(&map);
  state.gCentreSetOpen = 0;
  // The user has been told; the engine wrote "CV_RESULT", so the run is stamped.
  if (!written)
    return true;

  gLegendForm().Show(forms::ShowMode::Modal);
  run.busy();
  if (!reached_some_link(*network))
    return false;
  zone_breaks_ = LinkZoneBreaks();
  if (state.gZoneCount > 1) {
    if (state.gLegendType == LegendByCost)
      RenderLinkCostRamp(document().get(), &map, CostField, zone_breaks_, state.gZoneCount);
    else if (state.gLegendType == LegendByNearestCentre)
      RenderNearestPoint(document().get(), &map, "Point", state.gMultiStopCount);
  }
  state.gNetworkResultPresent = true;
  return true;
}

} // namespace corvane
