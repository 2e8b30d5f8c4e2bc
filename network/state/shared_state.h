#pragma once

// The state that every command of the add-in shares: the engine objects, the network the
// add-in is bound to, its settings, and the lists of stops, centres and markers that the tools
// keep between clicks. There is one set per host thread, reached through shared_state(); the
// host calls every command on its user-interface thread, so commands see one set.
//
// Every member starts as zero, empty or false, as module variables of the original add-in did.
// Tables have fixed bounds (BoundedTable); a row beyond them ends the handler that writes it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "forms/message_box.h"
#include "host/document.h"
#include "network/state/bounded_table.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// gNetworkState values.
inline constexpr std::int32_t NetworkNeverLoaded = 0;
inline constexpr std::int32_t NetworkLoaded = 1;
inline constexpr std::int32_t NetworkClosed = 2;

// gRouteType values.
inline constexpr std::int32_t RouteShortest = 1;
inline constexpr std::int32_t RouteFastest = 2;

// gAllowOverlap: whether the zones of different centres may overlap. Set when a network is
// entered; NotSet only before the first one.
enum class Overlap : std::int32_t { NotSet = 0, None = 1, Allowed = 2 };

// gClipMode: whether the zone polygons are cut to the clip layer. ClipMode::LayerMissing is off,
// as ClipMode::Off is, and tells that the named clip layer was not in the map at a run.
enum class ClipMode : std::int32_t { Off = 0, ToLayer = 1, LayerMissing = 3 };

// gTspMode: how a tour starts and ends, and whether the engine orders the stops by straight-line
// distances. The settings file keeps the two apart ([INFO] "TSP MODE" the kind's number,
// "TSP STRAIGHT LINE" "Yes" or "No"); the engine takes one code, the kind's number plus 10 with
// straight lines.
enum class TourKind : std::int32_t { StartEnd = 0, RoundTrip = 1, StartOnly = 2 };

struct TspMode {
  TourKind kind = TourKind::StartEnd;
  bool straight_line = false;

  static constexpr std::string_view StraightLineYes = "Yes";
  static constexpr std::string_view StraightLineNo = "No";

  // The tour kind of a stored "TSP MODE" number; nothing for a number that is no kind.
  static constexpr std::optional<TourKind> stored_kind(double number) {
    for (const auto kind : {TourKind::StartEnd, TourKind::RoundTrip, TourKind::StartOnly})
      if (number == static_cast<std::int32_t>(kind))
        return kind;
    return std::nullopt;
  }
  // A stored "TSP STRAIGHT LINE" says Yes by its first three characters, whatever follows.
  static constexpr bool stored_straight_line(std::string_view text) {
    return text.starts_with(StraightLineYes);
  }

  constexpr std::int32_t stored_number() const { return static_cast<std::int32_t>(kind); }
  constexpr std::string_view stored_straight_text() const {
    return straight_line ? StraightLineYes : StraightLineNo;
  }
  constexpr std::int32_t engine_code() const { return stored_number() + (straight_line ? 10 : 0); }

  friend constexpr bool operator==(const TspMode&, const TspMode&) = default;
};

// The value of a layer lookup that found no layer.
inline constexpr std::int32_t NoLayer = -2;

struct RoadClassSpeed {
  float SpeedKmph = 0;
  float SpeedMph = 0;
  std::int32_t ClassValue = 0;
  std::string Alias;
};

// One temporary speed: the link number and its speeds, all as stored in the settings file.
struct TempSpeedRow {
  double Link = 0;
  double SpeedKmph = 0;
  double SpeedMph = 0;
};

struct StopPoint {
  double X = 0;
  double Y = 0;
  std::int32_t Node = 0;
};

struct MapPoint {
  double X = 0;
  double Y = 0;
};

// A position kept in single precision (the polygon tool's centre flag).
struct MapPointSingle {
  float X = 0;
  float Y = 0;
};

// One direction step. The members keep the names the system gives them, but hold the route's
// costs by rank: Distance and TotalDist the primary cost (the distance of a shortest route, the
// minutes of a fastest one) and its running total, Time and TotalTime the secondary cost and
// its running total. WriteRouteShapefile swaps them back for a fastest route, so that the
// fields of "Route" always hold the distance and the minutes.
struct DirectionRow {
  std::int32_t LinkIndex = 0;
  std::string Desc;
  std::string Direction;
  float Distance = 0;
  float TotalDist = 0;
  float Time = 0;
  float TotalTime = 0;
};

struct LayerListEntry {
  std::string Name;
  std::string Folder;
  std::int32_t ListIndex = 0;
  std::int32_t MapIndex = NoLayer;
};

// A polyline shapefile layer offered by the network layer dialog.
struct CandidateLayer {
  std::string Name;   // feature-class name
  std::string Folder; // workspace path
  std::int32_t MapIndex = 0;
};

struct GazetteerLabel {
  std::string Text;
  std::int32_t Number = 0;
};

struct SharedState {
  // The engine, and the network it is bound to.
  com::ComPtr<tamix::NetBase> gNetBase;
  com::ComPtr<tamix::NetCalc> gNetCalc;
  std::int32_t gNetworkId = 0;
  com::ComPtr<host::HostDocument> gDocument;
  std::string gNetworkFolder;
  std::string gNetworkLayerName;
  std::int32_t gNetworkState = NetworkNeverLoaded;
  bool gEditSessionActive = false;
  bool gNetworkResultPresent = false;
  std::int32_t gEngineResult = 0;
  std::int32_t gCallResult = 0;
  forms::Answer gMsgAnswer{}; // 0 until a message box was answered

  // The network layer dialogs.
  std::int32_t gLayerIndex = 0;
  BoundedTable<CandidateLayer> gCandidateLayers{1000};
  std::string gPickedName;
  std::int32_t gPickedLayerIndex = 0;
  std::int32_t gPickedFieldIndex = 0;
  BoundedTable<LayerListEntry> gLayerList{3000};

  // Per-network settings ("Corvane.ini", "link.spd").
  std::int32_t gAttributeFlag = 0;
  std::int32_t gRouteType = 0;
  std::string gDistUnits;
  std::int32_t gRoadClassCount = 0;
  BoundedTable<RoadClassSpeed> gRoadClassSpeeds{31};
  std::int32_t gTempSpeedCount = 0;
  BoundedTable<TempSpeedRow> gTempSpeeds{300}; // rows 1 .. gTempSpeedCount
  std::int32_t gClosedLinkCount = 0;
  BoundedTable<std::int32_t> gClosedLinks{300}; // rows 1 .. gClosedLinkCount
  std::int32_t gZoneCount = 0;
  BoundedTable<float> gZoneValues{0}; // rows 1 .. gZoneCount
  float gZoneMax = 0;
  TspMode gTspMode;
  std::int16_t gRouteColorRed = 0;
  std::int16_t gRouteColorGreen = 0;
  std::int16_t gRouteColorBlue = 0;

  // Route options and directions.
  std::int32_t gUseDescField = 0;
  std::string gDescFieldName;
  std::int32_t gDescOption = 0;
  BoundedTable<std::string> gDescFieldCandidates{50};
  std::int32_t gDescFieldCount = 0;
  BoundedTable<DirectionRow> gDirections{1000000};

  // Polygon isochrone options and the zone legend.
  Overlap gAllowOverlap = Overlap::NotSet;
  bool gDoughnut = false;
  ClipMode gClipMode = ClipMode::Off;
  std::string gClipLayerName;
  std::int32_t gLegendType = 0;

  // Stops, centres and markers placed by the tools.
  BoundedTable<std::int32_t> gStopNodes{3000};
  std::int32_t gRouteStopCount = 0;
  std::int32_t gMultiStopCount = 0;
  std::int32_t gCentreSetOpen = 0;
  BoundedTable<std::string> gMarkerLabels{5000};
  std::int32_t gMarkerCount = 0;
  MapPoint gLinkCentre;
  MapPointSingle gPolyCentre;
  BoundedTable<StopPoint> gTourStops{1000000};

  // Gazetteer route and tour.
  BoundedTable<MapPoint> gGazetteerStops{1000}; // rows 1 .. gGazetteerStopCount
  std::int32_t gGazetteerStopCount = 0;
  BoundedTable<GazetteerLabel> gGazetteerLabels{3000};
  std::int32_t gGazetteerMode = 0;
  std::int32_t gGazetteerHasStops = 0;
  std::int32_t gGazetteerCancelled = 0;
  std::int32_t gGazetteerLayerIndex = 0;
  std::vector<std::string> gGazetteerMatches;
  std::int32_t gGazetteerPickIndex = 0;
  std::int32_t gGazetteerPickState = 0;
  BoundedTable<StopPoint> gGazetteerStopPoints{1000000};
  BoundedTable<std::string> gGazetteerMarkerNames{1000000};

  // Batch time-distance table.
  std::int32_t gBatchRouteCancelled = 0;
  std::int32_t gBatchRouteFromIndex = 0;
  std::int32_t gBatchRouteToIndex = 0;
  std::string gBatchRouteFromLayer;
  std::string gBatchRouteToLayer;
  std::string gBatchRouteFromFolder;
  std::string gBatchRouteToFolder;
  std::string gBatchRouteFromField;
  std::string gBatchRouteToField;
  std::int32_t gBatchRouteBuildObjects = 0;
  std::int32_t gBatchRouteBothWays = 0;

  // Batch isochrones.
  std::int32_t gBatchIsoDialogState = 0;
  std::string gBatchIsoFieldName;
  std::string gBatchIsoLayerName;
  std::int32_t gBatchIsoMode = 0;
  std::int32_t gBatchIsoNoField = 0;
  std::int32_t gBatchIsoPointCount = 0;
  BoundedTable<MapPoint> gBatchIsoPoints{1000};

  // TSP over a point layer.
  std::int32_t gTspTableCancelled = 0;
  std::int32_t gTspTableLayerIndex = 0;
  std::string gTspTableLayerName;
  std::int32_t gTspTablePointCount = 0;
  BoundedTable<MapPoint> gTspTablePoints{1000000};
  std::int32_t gAddFieldOk = 0;
  std::string gAddFieldName;

  // Road closures and speeds.
  std::string gDefRoadChoice;
  std::int32_t gTempSpeedDialogOk = 0;
  std::int32_t gTempSpeedEditState = 0;
  std::int32_t gTempSpeedInKmph = 0;
  std::int32_t gTempSpeedInMph = 0;
  std::int32_t gTempSpeedLink = 0;
  std::string gTempSpeedText;
  std::string gAliasText;
  std::int32_t gSpeedAliasEdited = 0;
  std::int32_t gSpeedAliasRow = 0;

  // Network checks.
  std::int32_t gSubnetCount = 0;
  std::int32_t gBackDialogResult = 0;
  std::int32_t gCloseNodeOk = 0;
  float gCloseNodeValue = 0;
  std::int32_t gLinkLimitOk = 0;
  float gLinkLimitValue = 0;
  std::int32_t gUnusedLinkDialogResult = 0;
  std::string gJoinFieldName;
};

// The set of the calling thread.
SharedState& shared_state();

// Gives the calling thread's set its starting values again (tests start from it).
void reset_shared_state();

} // namespace corvane
