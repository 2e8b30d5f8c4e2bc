#include "isochrones/iso_poly.h"

#include <string>

#include "common/apply_engine_settings.h"
#include "common/check_network_ready.h"
#include "common/click_point.h"
#include "common/clip_layer.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/mark_node_point.h"
#include "common/marker_graphic.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/scratch_sets.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/zone_polygon_output.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "isochrones/link_cost_ramp.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"

namespace corvane {

namespace {

constexpr std::string_view output_name = IsoPolyOutput;
constexpr std::string_view unclipped_zones = IsoPlyOutput; // the engine's zones, copied as they are
constexpr std::string_view zones_to_clip =
    IsoPoly1Output; // the engine's zones, cut to the clip layer
constexpr std::string_view multi_centre_zones = IsoPoly2Output;

} // namespace

IsoPoly::IsoPoly()
    : ToolWith({.Caption = "IsoPoly",
                .Name = "IsoPoly",
                .Tooltip = "Polygon Isochrones",
                .Message = "Calculates Polygon Isochrones",
                .BitmapId = 7005}) {}

com::HRESULT IsoPoly::ClassifyManual2(std::int32_t* count) {
  if (!count)
    return com::E_POINTER;
  return run_handler([&] {
    RenderZoneCostRamp(document().get(), focus_map().get(), output_name, zone_limits_, *count);
  });
}

void IsoPoly::mouse_down(long, long, long x, long y) {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  DropMissingClipLayer(map.get(), "Clip Layer");
  if (refuse_without_zones())
    return;
  if (!ClipLayerUsable(map.get(),
                       GetLayerSpatialReference(NetworkFeatureClass(map.get()).get()).get(),
                       "Clip Layer"))
    return;
  // From here on the click ends with the settings file stamped and the pointer back, also when
  // a host or engine call fails, and without the engine's zones, which are never the user's.
  ClickRun click;
  RunRemovingScratchSets({unclipped_zones, zones_to_clip}, [&] { run(click, x, y); });
}

void IsoPoly::run(ClickRun& click, long x, long y) {
  auto& state = shared_state();
  const auto map = focus_map();
  const auto view = require(document()->ActiveView(), "ActiveView");
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());

  DeleteStopLabels(map.get(), StopNumbers::BlankLed, state.gRouteStopCount, state.gMultiStopCount);
  RemovePolygonOutput(map.get(), output_name);
  DeleteNetworkShapefile(unclipped_zones);
  RemovePolygonOutput(map.get(), zones_to_clip);
  if (state.gPolyCentre.X != 0 && state.gPolyCentre.Y != 0) {
    RemoveMarkerGraphic(map.get(),
                        point_at(state.gPolyCentre.X, state.gPolyCentre.Y, reference.get()).get());
    state.gPolyCentre = {};
  }
  view->Refresh();

  ApplyEngineSettings(view.get());
  const auto point = ClickInNetworkCoordinates(document().get(), map.get(), reference.get(), x, y);
  const auto node = NearestNode(*point);
  if (!node)
    return;

  const ZonePolygonSets sets{.output = output_name,
                             .merged = unclipped_zones,
                             .to_clip = zones_to_clip,
                             .clipping = state.gClipMode == ClipMode::ToLayer};
  if (!CopyZonePolygonProjection(sets)) {
    click.end_without_result();
    return;
  }
  ClipExtent extent;
  if (sets.clipping) {
    const auto clip_layer = FindClipLayer(map.get());
    extent =
        clip_layer
            ? ExtentIn(*clip_layer, reference.get())
            : ExtentIn(*require(map->Layer(FindLayerIndex(map.get(), state.gNetworkLayerName, "L")),
                                "network layer"),
                       reference.get());
  }
  if (!WriteMergedZonePolygons(*require(state.gNetCalc, "NetCalc"), {*node}, sets.written(),
                               extent)) {
    click.end_without_result();
    return;
  }

  const auto shown = ShowZonePolygons(map.get(), sets);
  if (shown == ZonesShown::NoClipLayer) {
    show_message("Clip layer not found", "Clip layer not found", forms::Icon::Critical);
    click.end_without_result();
    return;
  }
  // The centre's flag stands for zones written: a run that wrote none draws nothing.
  state.gPolyCentre = MarkNodePoint(*node, point.get(), map.get(), MarkerPolygonCentre);
  zone_limits_ = ZoneLimits();
  if (shown == ZonesShown::Shown && state.gZoneCount > 1)
    RenderZonesByCostEnd(document().get(), map.get(), output_name, zone_limits_);
  MoveNetworkLayerToTop(map.get());
  view->Refresh();

  RemovePolygonOutput(map.get(), zones_to_clip);
  RemovePolygonOutput(map.get(), multi_centre_zones);
}

} // namespace corvane
