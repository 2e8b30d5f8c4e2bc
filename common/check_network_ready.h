#pragma once

#include <string_view>

#include "forms/message_box.h"
#include "host/map.h"

namespace corvane {

// The network pre-check that every calculating command runs before it starts. Each test shows
// its own message (the answer goes to gMsgAnswer) and the first that fails ends the check:
//   (a) an edit session is open: "Session in edit mode";
//   (b) "Corvane.ini" is missing in gNetworkFolder: "One of the required file are missing";
//   (c) with a map: the network layer is not in it (in gNetworkFolder): "Network layer not
//       found";
//   (f) only with a description field title (the commands that build routes): directions
//       that name a field the network layer no longer has are switched off, with "The selected
//       description field is not found" under that title; the command goes on;
//   (g) only with a clip layer title (the batch isochrones): a clip layer gone from the map
//       turns clipping off (DropMissingClipLayer, "Clip layer not found" under that title);
//       the command goes on;
//   (d) the network shapefile was saved more than one minute after "Corvane.ini":
//       "Network layer has been modified. Re-Create the network again ";
//   (e) only for the isochrone tools that band by zones: no zone limit is set (gZoneMax 0):
//       "Create zones".
// True when the command may go on. Commands that do not need the layer on the map (the route
// colour) pass no map. A file that cannot be read ends the handler (HandlerEnd).
struct PreCheckVariant {
  // The title of the box of test (f): "Field not found" for the route tool, "FIELD NOT FOUND"
  // for the gazetteer and the tours. Empty: no test (f).
  std::string_view description_field_title;
  // The route options test the shapefile's date before the layer: (a), (b), (d), (c).
  bool modified_before_layer = false;
  // Test (e), last.
  bool zone_test = false;
  // The icon of test (c)'s box: none, but the node layer's shows the exclamation mark.
  forms::Icon layer_not_found_icon = forms::Icon::None;
  // The title of the box of test (g). Empty: no test (g).
  std::string_view clip_layer_title = {};
};

bool CheckNetworkReady(host::HostMap* map, const PreCheckVariant& variant = {});

// The pre-check of the isochrone tools that band by zones: test (e) added.
inline constexpr PreCheckVariant ZoneToolCheck{
    .description_field_title = {}, .modified_before_layer = false, .zone_test = true};

// The leading tests alone, for the handlers that run no more of the pre-check: (a) only, or
// (a) then (b). True when the handler may go on.
enum class LeadingTests { EditSession, EditSessionAndSettingsFile };
bool CheckLeadingTests(LeadingTests tests);

// Test (e) alone, for the tools that run a test of their own between (d) and (e): true, after
// "Create zones", when no zone limit is set.
bool refuse_without_zones();

// True when the shapefile `layer_name`.shp in `folder` was modified later than one minute after
// "Corvane.ini" (whole seconds, as the file system reports them): the network files may no
// longer describe the layer. Ends the handler when either file is missing.
bool network_layer_newer_than_settings(std::string_view folder, std::string_view layer_name);

} // namespace corvane
