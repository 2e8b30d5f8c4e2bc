#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"
#include "network/state/settings_notes.h"
#include "network/state/stored_settings.h"
#include "tamix/net_base.h"

namespace corvane {

// Builds the routing network of the network layer from scratch and leaves it loaded in
// `tantest`: checks the layer's coordinate unit, lets the user choose the road-class field and,
// when the map does not tell, the distance units, adds "CV_RESULT", derives the road classes,
// has the engine build its files and load them (with the NLoad window), writes "Corvane.ini"
// and "link.spd" and gives the shared state the settings of the network.
// gNetworkFolder and gNetworkLayerName name the layer already, and the engine has its folder.
// Every failure it recognises is shown in a message box and ends the run (false); a failing
// host call ends the handler. True when the network was built and loaded.
// What the network's old settings files held (network/state/stored_settings.h) is carried over into
// the new ones in place of the defaults, whatever caused the build: zones, route colour, route
// type and TSP settings always; the speed and alias of every road class that still occurs; the
// closures and temporary speeds when the engine built the same links as before (and no earlier
// build was cut short), since they name links by number. The shared state takes the carried
// settings; the caller marks the carried links on the map. A file that loses something it held
// is first kept as a copy under a free ".bak" name (no copy is ever replaced), and `notes` say
// what was not carried over, why and which copy keeps it. "link.spd" and then "Corvane.ini"
// are written whole, once each, with the build mark (network/state/build_mark.h) standing from
// the engine's build until both are written and holding what `notes` say of the old files until
// the caller has shown them. "Network created successfully" is shown only once the network is
// loaded and both files are written; a failed write is shown with the reason of the failed call.
struct OldSettings {
  StoredSettings ini;
  StoredRoadClasses classes;
  // Why a file could not be understood, when it could not.
  std::optional<std::string> ini_unreadable, speeds_unreadable;
  // A build of the network did not finish before it knew that it kept the links: the network
  // files may not be those the stored link numbers were meant for.
  bool links_unsure = false;
};
bool NetworkCreate(const com::ComPtr<tamix::NetBase>& tantest, host::HostFeatureLayer* layer,
                   host::HostMap* map, const OldSettings& old, SettingsNotes& notes);

// The number of links of a network layer: its feature count (no filter).
std::int32_t LinkCount(host::HostFeatureClass& features);

// The engine's map-unit family of an engine unit code (UnitCodeFromEpsg): 7 metre, 3 foot,
// 8 US survey foot, 9 nautical mile, 12 chain, 11 link, 0 US survey mile, 1 kilometre,
// 4 yard, 10 degree; 0 for a code of no family.
std::int32_t EngineMapUnits(std::int32_t engine_unit_code);

} // namespace corvane
