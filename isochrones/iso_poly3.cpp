#include "isochrones/iso_poly3.h"
#include "common/output_sets.h"

#include <string>

#include "common/apply_engine_settings.h"
#include "common/clip_layer.h"
#include "common/clip_zones.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/nearest_centre_zones.h"
#include "common/network_workspace.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/stop_label_sweep.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "isochrones/centre_clicks.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr std::string_view output_name = IsoPolyOutput;
constexpr std::string_view zones_to_clip = IsoPoly3Output;
constexpr std::string_view multi_centre_zones = IpPolyOutput;

} // namespace

IsoPoly3::IsoPoly3()
    : CentreSetTool({.Caption = "Nearest Center",
                     .Name = "Nearest Center",
                     .Tooltip = "Get Nearest Center",
                     .Message = "Calculates the Nearest Zones for the Specified Points",
                     .BitmapId = 7046},
                    {}) {}

void IsoPoly3::before_click(host::HostMap& map) {
  RemovePolygonOutput(&map, output_name);
  DeleteNetworkShapefile(multi_centre_zones);
  RemovePolygonOutput(&map, zones_to_clip);
}

void IsoPoly3::before_last_centre(host::HostMap& map) {
  auto& state = shared_state();
  if (CentreSetOpen == 0)
    DeleteMarkerLabels(&map, state.gMarkerLabels, state.gMarkerCount + 1);
}

void IsoPoly3::start_set(host::HostMap& map, host::HostPoint& click) {
  auto& state = shared_state();
  CentreSetOpen = 1;
  // A Shift+click leaves its label one row past the count.
  DeleteMarkerLabels(&map, state.gMarkerLabels, state.gMarkerCount + 1);
  const auto reference = require(click.SpatialReference(), "SpatialReference");
  RemoveMarkerGraphic(&map,
                      point_at(state.gPolyCentre.X, state.gPolyCentre.Y, reference.get()).get());
  state.gPolyCentre = {};
  RemoveMarkerGraphic(&map,
                      point_at(state.gLinkCentre.X, state.gLinkCentre.Y, reference.get()).get());
  state.gLinkCentre = {0, 0};
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "view")->Refresh();
  DeleteStopLabels(&map, StopNumbers::BlankLed, state.gRouteStopCount, state.gMultiStopCount);

  StartCentreList(map, click);
}

std::vector<std::string_view> IsoPoly3::scratch_sets() const {
  return {multi_centre_zones};
}

bool IsoPoly3::calculate(host::HostMap& map, ClickRun&) {
  auto& state = shared_state();
  SetResultTableAndField();
  // Nearness is always by distance, for this and every later calculation.
  state.gRouteType = RouteShortest;
  ApplyCostSettings();
  DropMissingClipLayer(&map, "Clip layer not found");
  CentreSetOpen = 0;

  const bool clipping = state.gClipMode == ClipMode::ToLayer;
  const auto network_reference = GetLayerSpatialReference(NetworkFeatureClass(&map).get());
  const auto clip_layer = FindClipLayer(&map);
  const ClipExtent extent =
      clipping ? ExtentIn(*require(clip_layer, "clip layer"), network_reference.get())
               : ClipExtent{};
  if (!WriteNearestCentreZones(*require(state.gNetCalc, "NetCalc"), CentreListNodes(),
                               clipping ? zones_to_clip : output_name, extent))
    return false;

  if (clipping && !PrepareClipOutput(&map, zones_to_clip, output_name, clip_layer.get())) {
    DeleteNetworkShapefile(zones_to_clip);
    DeleteNetworkShapefile(multi_centre_zones);
    return true;
  }
  if (!clipping)
    ShowFeatureClass(&map, open_feature_class(OpenNetworkWorkspace().get(), output_name));
  MoveNetworkLayerToTop(&map);
  RenderZonesById(document().get(), &map, output_name, state.gMultiStopCount);
  DeleteNetworkShapefile(multi_centre_zones);
  return true;
}

} // namespace corvane
