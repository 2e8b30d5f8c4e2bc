#include "isochrones/multy_poly.h"

#include <string>

#include "com/create.h"
#include "common/apply_engine_settings.h"
#include "common/centre_zones.h"
#include "common/clip_layer.h"
#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/point_at.h"
#include "common/remove_output_shapefile.h"
#include "common/show_message.h"
#include "common/stop_label_sweep.h"
#include "common/zone_polygon_output.h"
#include "common/zone_renderers.h"
#include "host/active_view.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "isochrones/centre_clicks.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"

namespace corvane {

namespace {

constexpr std::string_view output_name = IsoPolyOutput;
constexpr std::string_view merged_zones = IpPolyOutput;    // without overlap or clipping
constexpr std::string_view centre_zones = IsoPoly1Output;  // one centre's, with overlap
constexpr std::string_view zones_to_clip = IsoPoly2Output; // either, before the cut

// One engine run per centre, its zones appended to `output` from the innermost outward.
void gather_centre_zones(tamix::NetCalc& calc, host::HostFeatureClass& output,
                         const ClipExtent& extent) {
  auto& state = shared_state();
  CentreZoneWriter writer(calc, output, centre_zones, extent);
  for (std::int32_t centre = 1; centre <= state.gMultiStopCount; ++centre)
    writer.append(state.gStopNodes[centre - 1], centre);
  writer.flush();
}

} // namespace

MultyPoly::MultyPoly()
    : CentreSetTool({.Caption = "Multi Poly Isochrone",
                     .Name = "MultiPolygonIschrone",
                     .Tooltip = "Multi-Centre Polygon Isochrones",
                     .Message = "Calculates Multi-Centre Polygon Isochrones",
                     .BitmapId = 7051},
                    ZoneToolCheck) {}

void MultyPoly::before_last_centre(host::HostMap&) {
  shared_state().gCentreSetOpen = 0;
}

void MultyPoly::start_set(host::HostMap& map, host::HostPoint& click) {
  auto& state = shared_state();
  state.gCentreSetOpen = 1;
  state.gEngineResult = require(state.gNetCalc, "NetCalc")->ClearResultField(-1, 0);
  // A Shift+click leaves its label one row past the count.
  DeleteMarkerLabels(&map, state.gMarkerLabels, state.gMarkerCount + 1);
  const auto reference = require(click.SpatialReference(), "SpatialReference");
  RemoveMarkerGraphic(&map,
                      point_at(state.gPolyCentre.X, state.gPolyCentre.Y, reference.get()).get());
  state.gPolyCentre = {};
  const auto view = require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "view");
  view->Refresh();
  DeleteStopLabels(&map, StopNumbers::BlankLed, state.gRouteStopCount, state.gMultiStopCount);
  RemoveOutputShapefile(&map, view.get(), BatchLayerOutput);
  DeleteNetworkShapefile(merged_zones);
  StartCentreList(map, click);
}

std::vector<std::string_view> MultyPoly::scratch_sets() const {
  return {merged_zones, centre_zones, zones_to_clip};
}

bool MultyPoly::calculate(host::HostMap& map, ClickRun&) {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  SetResultTableAndField();
  ApplyCostSettings();
  RemovePolygonOutput(&map, output_name);
  RemovePolygonOutput(&map, zones_to_clip);
  DropMissingClipLayer(&map, "Clip layer not found");

  const auto sets = MultiCentreZoneSets(output_name, merged_zones, zones_to_clip);
  if (!CopyZonePolygonProjection(sets))
    return false;
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(&map).get());
  const ClipExtent extent =
      sets.clipping ? ExtentIn(*require(FindClipLayer(&map), "clip layer"), reference.get())
                    : ClipExtent{};
  if (state.gAllowOverlap == Overlap::None) {
    if (!WriteMergedZonePolygons(calc, CentreListNodes(), sets.written(), extent))
      return false;
  } else if (sets.overlap) {
    FillOutputWhole(*CreateCentreZoneClass(sets.written()), [&](host::HostFeatureClass& zones) {
      gather_centre_zones(calc, zones, extent);
    });
  }

  ZonesShown shown;
  try {
    shown = ShowZonePolygons(&map, sets);
  } catch (const ToldHandlerEnd&) {
    throw;
  } catch (const HandlerEnd& failure) {
    // This tool names a cut that failed; the boundary says nothing of it.
    if (sets.clipping)
      show_message(failure.what(), "");
    throw;
  }
  if (shown == ZonesShown::NoClipLayer) {
    show_message("Clip layer not found", "Layer Not Found", forms::Icon::Information);
    return false;
  }
  if (!sets.clipping && !sets.overlap)
    DeleteNetworkShapefile(merged_zones);
  DeleteNetworkShapefile(centre_zones);
  DeleteNetworkShapefile(zones_to_clip);
  if (shown == ZonesShown::NoneLeft)
    return true;

  if (state.gZoneCount > 1)
    RenderZonesByCostEnd(document().get(), &map, output_name, ZoneLimits());
  MoveNetworkLayerToTop(&map);
  return true;
}

} // namespace corvane
