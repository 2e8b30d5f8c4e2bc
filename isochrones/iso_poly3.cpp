#include "isochrones/iso_poly3.h"

#include <string>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/click_point.h"
#include "common/clip_layer.h"
#include "common/clip_zones.h"
#include "common/elements_at_point.h"
#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/nearest_centre_zones.h"
#include "common/network_workspace.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "isochrones/centre_clicks.h"
#include "isochrones/centre_set.h"
#include "network/shared_state.h"

namespace corvane {

namespace {

constexpr long LeftButton = 1;
constexpr long PlainClick = 0;
constexpr long ShiftClick = 1;
constexpr long CtrlClick = 2;

constexpr std::string_view output_name = "IsoPoly";
constexpr std::string_view zones_to_clip = "IsoPoly3";
constexpr std::string_view multi_centre_zones = "IpPoly";

} // namespace

IsoPoly3::IsoPoly3()
    : ToolBase({.Caption = "Nearest Center",
                .Name = "Nearest Center",
                .Tooltip = "Get Nearest Center",
                .Message = "Calculates the Nearest Zones for the Specified Points",
                .BitmapId = 7046}) {}

bool IsoPoly3::enabled() {
  return network_loaded_or_drop_centres(CentreSetOpen);
}

void IsoPoly3::mouse_down(long button, long shift, long x, long y) {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  // From here on a failing host or engine call ends the click with the settings file stamped;
  // only a calculation stamps it otherwise.
  ClickRun run;
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());
  const auto click = ClickInNetworkCoordinates(document().get(), map.get(), reference.get(), x, y);
  // Before the last output goes: the set stays open for a Shift+click once the clip layer is
  // mended.
  if (button == LeftButton && shift == ShiftClick &&
      !ClipLayerUsable(map.get(), reference.get(), "Clip Layer")) {
    run.end_without_result();
    return;
  }

  RemovePolygonOutput(map.get(), output_name);
  DeleteNetworkShapefile(multi_centre_zones);
  RemovePolygonOutput(map.get(), zones_to_clip);

  const bool left = button == LeftButton;
  if (left && shift == PlainClick) {
    start_set(*map, *click);
  } else if (left && shift == CtrlClick && CentreSetOpen == 1) {
    AddCentre(*map, *click, false);
  } else if (left && shift == ShiftClick) {
    auto& state = shared_state();
    if (CentreSetOpen == 0)
      DeleteMarkerLabels(map.get(), state.gMarkerLabels, state.gMarkerCount + 1);
    // A centre past the list's end is refused with a message, and the set is not calculated
    // without it.
    if (AddCentre(*map, *click, true)) {
      calculate(*map, run);
      return;
    }
  }
  run.end_without_result();
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
  DeleteStopLabels(&map, StopNumbers::BlankLed,
                   state.gRouteStopCount, state.gMultiStopCount);

  StartCentreList(map, click);
}

void IsoPoly3::calculate(host::HostMap& map, ClickRun& run) {
  auto& state = shared_state();
  SetResultTableAndField();
  // Nearness is always by distance, for this and every later calculation.
  state.gRouteType = RouteShortest;
  ApplyCostSettings();
  DropMissingClipLayer(&map, "Clip layer not found");
  CentreSetOpen = 0;

  const bool clipping = state.gClipMode == 1;
  const auto network_reference = GetLayerSpatialReference(NetworkFeatureClass(&map).get());
  const auto clip_layer = FindClipLayer(&map);
  const ClipExtent extent =
      clipping ? ExtentIn(*require(clip_layer, "clip layer"), network_reference.get()) : ClipExtent{};
  if (!WriteNearestCentreZones(*require(state.gNetCalc, "NetCalc"), CentreListNodes(),
                               clipping ? zones_to_clip : output_name, extent)) {
    run.end_without_result();
    return;
  }

  if (clipping && !PrepareClipOutput(&map, zones_to_clip, output_name, clip_layer.get())) {
    DeleteNetworkShapefile(zones_to_clip);
    DeleteNetworkShapefile(multi_centre_zones);
    return;
  }
  if (!clipping)
    ShowFeatureClass(&map, open_feature_class(OpenNetworkWorkspace().get(), output_name));
  MoveNetworkLayerToTop(&map);
  RenderZonesById(document().get(), &map, output_name, state.gMultiStopCount);
  DeleteNetworkShapefile(multi_centre_zones);
}

} // namespace corvane
