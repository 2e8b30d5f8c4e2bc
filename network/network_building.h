#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"
#include "network/carried_settings.h"
#include "tamix/net_base.h"

namespace corvane {

// Builds the routing network of the network layer from scratch and leaves it loaded in
// `tantest`: checks the layer's coordinate unit, lets the user choose the road-class field and,
// when the map does not tell, the distance units, adds "CV_RESULT", derives the road classes,
// has the engine build its files and load them (with the NLoad window), writes a fresh
// "Corvane.ini" and "link.spd" and gives the shared state the defaults of a new network.
// gNetworkFolder and gNetworkLayerName name the layer already, and the engine has its folder.
// Every failure it recognises is shown in a message box and ends the run (false); a failing
// host call ends the handler. True when the network was built and loaded.
// A rebuild of the same layer passes what it keeps of the old "Corvane.ini" in `carried`; the
// new file holds those settings in place of the defaults (the closures and temporary speeds
// are in the file only: the caller reads them back with their markers). "Corvane.ini" is
// written last and whole, with the build mark (network/build_mark.h) around the writes.
bool NetworkCreate(const com::ComPtr<tamix::NetBase>& tantest, host::HostFeatureLayer* layer,
                   host::HostMap* map, const CarriedSettings& carried = {});

// The engine's map-unit family of an engine unit code (UnitCodeFromEpsg): 7 metre, 3 foot,
// 8 US survey foot, 9 nautical mile, 12 chain, 11 link, 0 US survey mile, 1 kilometre,
// 4 yard, 10 degree; 0 for a code of no family.
std::int32_t EngineMapUnits(std::int32_t engine_unit_code);

// The road class of an attribute value: the whole-number part of its magnitude, taken modulo
// 32 (7 and 39 give 7, 4096 gives 0, -5.7 gives 5); nothing for a magnitude of 4097 or more,
// which makes the field invalid as a road-class field.
bool RoadClassOf(double attribute_value, std::int32_t& road_class);

// The values of the field at `field_index` of every feature, in the order of an unfiltered
// search (one per link); nothing when a value is not a number (an empty value included).
std::optional<std::vector<double>> RoadClassFieldValues(host::HostFeatureClass* features,
                                                        int field_index);

// The distinct road classes of the values, ascending; false at the first invalid value.
bool RoadClassesOf(const std::vector<double>& attribute_values, std::vector<std::int32_t>& classes);

} // namespace corvane
