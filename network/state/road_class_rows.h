#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/table.h"
#include "network/state/shared_state.h"

namespace corvane {

// The rows of a rebuilt road-class table, one per class of `classes` (ascending): a class that
// one of the old rows holds keeps that row's speeds and name, a new class starts at 1 mph under
// the name "Speed " and its value.
//   old 1 (30 km/h), 2 (50 km/h); classes 0, 1, 2 -> 0 (1 mph), 1 (30 km/h), 2 (50 km/h)
std::vector<RoadClassSpeed> RoadClassRows(const std::vector<RoadClassSpeed>& old_rows,
                                          const std::vector<std::int32_t>& classes);

// How many of the old rows hold a class that is not among `classes`.
std::size_t DroppedRoadClassCount(const std::vector<RoadClassSpeed>& old_rows,
                                  const std::vector<std::int32_t>& classes);

// What the user is told of them: "FILE: the speeds of 2 road classes were not carried over: their
// class values no longer occur in the field "CLASS"." (`field` empty or blank: no such field).
std::string RoadClassesNotCarried(const std::string& speed_file, std::size_t dropped,
                                  const std::string& field);

// Puts the rows into gRoadClassSpeeds and gRoadClassCount; rows that were in use before and are
// not any more read as unused (class -1, speeds -1, no name).
void StoreRoadClassRows(const std::vector<RoadClassSpeed>& rows);

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
