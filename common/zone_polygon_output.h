#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/clip_layer.h"
#include "host/map.h"
#include "tamix/net_calc.h"

namespace corvane {

// The steps every zone-polygon run shares, from the single-centre tool to the batch: the engine
// writes the zones into the network folder, and they are shown as the run's output, cut to the
// clip layer when the isochrone options ask for it.

// The sets of one run, all shapefiles of the network folder, and how it writes them.
struct ZonePolygonSets {
  std::string_view output;  // what the map shows
  std::string_view merged;  // the zones of every centre at once, without overlap or clipping
  std::string_view to_clip; // the zones before the cut
  bool clipping = false;
  bool overlap = false; // the zones gathered centre by centre, written straight into the output

  // The set the engine's (or the gathered) zones go to.
  std::string_view written() const { return clipping ? to_clip : overlap ? output : merged; }
};

// The sets of a run from several centres, clipping and overlap as the isochrone options say
// (ClipMode::ToLayer, Overlap::Allowed).
ZonePolygonSets MultiCentreZoneSets(std::string_view output, std::string_view merged,
                                    std::string_view to_clip);

// Gives each set the run writes the network's projection, and only those (CopyNetworkProjection):
// false, the user told, when the network has none.
bool CopyZonePolygonProjection(const ZonePolygonSets& sets);

// The engine writes the zones of its `stops` stops, sent before, as the shapefile `name` of the
// network folder, rings with doughnuts, cut to `extent`: a scratch set, which the caller reads
// into its output and removes.
void WriteZonePolygonFile(tamix::NetCalc& calc, std::string_view name, std::int32_t stops,
                          const ClipExtent& extent);

// Whether the engine's last zone write into the set `name` succeeded (gEngineResult 0); otherwise
// the user is told the engine's reason, naming the set, and the caller ends without a result.
bool ZonesWritten(std::string_view name);

// One engine run from every node of `nodes` at once (the zone list as breaks) into `name`: one
// polygon per zone, reached from any of them. False when the engine failed (ZonesWritten).
[[nodiscard]] bool WriteMergedZonePolygons(tamix::NetCalc& calc,
                                           const std::vector<std::int32_t>& nodes,
                                           std::string_view name, const ClipExtent& extent);

// What became of the zones written.
enum class ZonesShown { Shown, NoneLeft, NoClipLayer };

// Shows the zones written as `sets.output`: cut to the clip layer (ClipZones; gathered zones in
// the order they were gathered, the engine's from the innermost outward), the gathered zones as
// they are, or the merged ones copied from the innermost outward. NoneLeft when
// the cut left no zone (the user told), NoClipLayer when the clip layer is gone from the map
// (nothing told, nothing shown). A failing host call ends the handler.
ZonesShown ShowZonePolygons(host::HostMap* map, const ZonePolygonSets& sets);

} // namespace corvane
