#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clip_layer.h"
#include "common/output_sets.h"
#include "common/zone_polygon_output.h"
#include "forms/message_box.h"
#include "host/document.h"
#include "host/map.h"
#include "host/spatial_reference.h"
#include "host/table.h"
#include "isochrones/batch_iso_points.h"
#include "isochrones/click_run.h"

namespace corvane {

// The shapefiles of a batch isochrone run, all in the network folder (BatchIsochroneOutput and
// the sets it passes through, common/output_sets.h). The run deletes every one of them (but the
// nearest-centre zones before their cut, which stay for the user), so a network or point layer
// of one of these names is refused.
// True when `dataset` is named like an output of the run, letter case aside: "BatchIsochrone"
// with anything after it, or "BIsochrone".
bool IsBatchIsoOutputName(std::string_view dataset);

// What every mode of a run works with: the chosen point layer and field, and where it draws.
struct BatchIsoRun {
  host::HostDocument* document;
  host::HostMap* map;
  host::HostFeatureClass* points;
  // The layer's features, read by id 0 .. count - 1.
  std::int32_t point_count;
  // The field whose values label the points; empty for none.
  std::string label_field;
  host::HostSpatialReference* network_reference;
  std::vector<std::string>& problems;
  ClickRun& click;

  // Removes the last run's flags; with an empty layer tells the user so (`text`, "Nothing
  // Found" or "Currupt Data") and ends the run without a stamp: false.
  bool points_present(std::string_view text, std::string_view title, forms::Icon icon);
  // Collects the points (with `per_point` for each); false, the run ended without a stamp,
  // when none is usable.
  bool collect(BatchIsoCollection& collected,
               const std::function<PointWorked(const BatchPoint&)>& per_point = {});
};

// The clip extent of the zones: the clip layer's in the network's coordinates, or no cut.
ClipExtent BatchIsoClipExtent(const BatchIsoRun& run);

// Turns the zones to cut (`input`) into "BatchIsochrone" shown on top of the map: cut to the
// single polygon of the clip layer, or to all its polygons. With the clip layer gone from the
// map the user is told so and the run ends without a stamp: false. With no zone left inside
// the clip layer the user is told so and the temporaries are removed: false.
bool ClipBatchIsoZones(BatchIsoRun& run, std::string_view input);

// The end of a batch run's showing of its zones as ClipBatchIsoZones has it: true when they are
// shown; otherwise, after the message or the temporaries' removal, false.
bool BatchIsoZonesShown(BatchIsoRun& run, ZonesShown shown);

// Removes the last run's output from the map and the network folder.
void RemoveBatchIsoOutput(host::HostMap* map);

// Removes the temporaries once the run is done; a temporary that cannot be deleted stays.
void RemoveBatchIsoTemporaries(host::HostMap* map);

} // namespace corvane
