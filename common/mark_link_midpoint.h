#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/map.h"
#include "host/row.h"
#include "host/table.h"

namespace corvane {

// Ratios and kinds of the two link markers: a closed road at the middle of its link, a
// temporary speed at seven tenths of it (so that both can stand on one link).
inline constexpr double ClosedRoadMarkerRatio = 0.5;
inline constexpr double TempSpeedMarkerRatio = 0.7;

// The point at the fraction `ratio` of a link's length, measured along its shape from the first
// vertex, in the shape's spatial reference: where the link's marker stands. Computed the same
// way for placing and for removing, so that the removal finds the marker again.
com::ComPtr<host::HostPoint> LinkPointAt(host::HostFeature* link, double ratio);

// The same point of link `link` (feature link - 1 of the network layer's feature class); null
// when the feature class has no such feature.
com::ComPtr<host::HostPoint> LinkMarkerPoint(host::HostFeatureClass* network_features,
                                             std::int32_t link, double ratio);

// Markers of many links found in one pass over the network layer, as an opening draws the
// closed roads and temporary speeds it reads and a cleared list removes them: one opening of
// the layer per marker would cost every row a read of the layer's index. A single click finds
// its one link with LinkPointAt or LinkMarkerPoint.
class LinkMarkers {
public:
  // A marker of `kind` at the fraction `ratio` of link `link` (feature link - 1); without a
  // kind, one that is only looked for (to be removed), never drawn.
  void add(std::int32_t link, double ratio, std::string_view kind = {});
  // Finds where every marker added stands, each as LinkMarkerPoint finds it, reading the
  // features in record order up to the last link named, once. Nothing is read when no marker
  // is added. A failing host call ends the handler.
  void read(host::HostFeatureClass* network_features);
  // Draws the markers of `kind` read, in the order they were added (AddMarkerGraphic); one
  // whose link the layer does not have is not drawn. A failing host call ends the handler.
  void draw(host::HostMap* map, std::string_view kind) const;
  // Where the markers read stand, in the order they were added; null where the layer does not
  // have the link.
  std::vector<com::ComPtr<host::HostPoint>> points() const;

private:
  struct Marker {
    std::int32_t link;
    double ratio;
    std::string_view kind;
    com::ComPtr<host::HostPoint> point;
  };
  std::vector<Marker> markers_;
};

} // namespace corvane
