#include "isochrones/link_isochrone.h"

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/click_point.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/mark_node_point.h"
#include "common/marker_graphic.h"
#include "common/output_sets.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/result_field.h"
#include "common/stop_label_sweep.h"
#include "isochrones/click_run.h"
#include "isochrones/link_cost_ramp.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

LinkIsochrone::LinkIsochrone()
    : ToolBase({.Caption = "Link Isochrone",
                .Name = "Link Isochrone",
                .Tooltip = "Link Isochrones",
                .Message = "Calculates Link Isochrones",
                .BitmapId = 7007}) {}

void LinkIsochrone::mouse_down(long, long, long x, long y) {
  if (!CheckNetworkReady(focus_map().get(), ZoneToolCheck))
    return;
  // From here on the click ends with the settings file stamped and the pointer back, also when
  // a host or engine call fails.
  const ClickRun busy;
  if (run(x, y))
    shared_state().gNetworkResultPresent = true;
}

bool LinkIsochrone::run(long x, long y) {
  auto& state = shared_state();
  const auto map = focus_map();
  const auto view = require(document()->ActiveView(), "ActiveView");
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());

  if (centre_marked_ == 1) {
    RemoveMarkerGraphic(map.get(),
                        point_at(state.gLinkCentre.X, state.gLinkCentre.Y, reference.get()).get());
    centre_marked_ = 0;
    view->Refresh();
  }
  RemoveOutputShapefile(map.get(), view.get(), IsoLinkOutput);
  DeleteStopLabels(map.get(), StopNumbers::BlankLed, state.gRouteStopCount, state.gMultiStopCount);

  ApplyEngineSettings();
  const auto click = ClickInNetworkCoordinates(document().get(), map.get(), reference.get(), x, y);
  const auto node = NearestNode(*click);
  if (!node)
    return false;
  const auto centre = MarkNodePoint(*node, click.get(), map.get(), MarkerLinkCentre);
  state.gLinkCentre = {centre.X, centre.Y};
  centre_marked_ = 1;

  auto& calc = *require(state.gNetCalc, "NetCalc");
  state.gEngineResult = calc.SolveFromNode(*node, state.gZoneMax);
  state.gEngineResult = calc.WriteCostsToResult(-1, 0, -1);

  zone_breaks_ = LinkZoneBreaks();
  if (state.gZoneCount > 1)
    RenderLinkCostRamp(document().get(), map.get(), ResultFieldName, zone_breaks_,
                       state.gZoneCount);
  return true;
}

} // namespace corvane
