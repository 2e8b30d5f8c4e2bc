#pragma once

#include <cstdint>
#include <string>

#include "host/application.h"
#include "host/document.h"
#include "host/map.h"
#include "routing/gazetteer_stops.h"
#include "routing/stage_names.h"

namespace corvane {

// The gazetteer command: the user chooses stops by attribute value from a point layer in the
// gazetteer dialog, and gets the route through them in the chosen order, or the tour in the
// best order (gTspMode), with the route tool's output: "Route.shp" (the direction rows, or the
// network links on the route), "ViewRoute.shp", the route colour, the totals and the stamp.
// Each stop is labelled with its value and its position in the visiting order; with directions
// each leg opens with a row naming the two stops it joins.
class GazetteerRoute {
public:
  void run(host::HostApplication* application, host::HostDocument* document);

private:
  // The stage text of leg `leg`: the last placed stops at its two ends; an end that no stop has
  // (a node reached in place of an unconnected stop) keeps the text of the leg before.
  std::string stage_text(std::int32_t leg);

  // Rows 0 .. 1000000, overwritten on each run.
  GazetteerStops stops_{1000000};
  StageNames stage_names_;
};

// Fills the gazetteer dialog's layer box and gLayerList with the map's point shapefile layers;
// false, after "Requires a point layer", when there are none.
bool OfferPointLayers(host::HostMap* map);

} // namespace corvane
