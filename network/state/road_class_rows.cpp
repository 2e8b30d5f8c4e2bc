#include "network/state/road_class_rows.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "host/cursor.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"

namespace corvane {

namespace {

constexpr std::int32_t largest_road_class = 31;
constexpr double invalid_attribute_value = 4097;

} // namespace

std::vector<RoadClassSpeed> RoadClassRows(const std::vector<RoadClassSpeed>& old_rows,
                                          const std::vector<std::int32_t>& classes) {
  std::vector<RoadClassSpeed> rows;
  for (const auto road_class : classes) {
    const auto kept = std::find_if(old_rows.begin(), old_rows.end(),
                                   [&](const auto& row) { return row.ClassValue == road_class; });
    if (kept != old_rows.end())
      rows.push_back(*kept);
    else
      rows.push_back(settings::default_road_class(road_class));
  }
  return rows;
}

std::size_t DroppedRoadClassCount(const std::vector<RoadClassSpeed>& old_rows,
                                  const std::vector<std::int32_t>& classes) {
  return static_cast<std::size_t>(
      std::count_if(old_rows.begin(), old_rows.end(), [&](const RoadClassSpeed& row) {
        return std::find(classes.begin(), classes.end(), row.ClassValue) == classes.end();
      }));
}

std::string RoadClassesNotCarried(const std::string& speed_file, std::size_t dropped,
                                  const std::string& field) {
  const auto named = field.find_first_not_of(' ') != std::string::npos;
  return speed_file + ": the speeds of " + std::to_string(dropped) +
         (dropped == 1 ? " road class" : " road classes") +
         " were not carried over: their class values no longer occur in " +
         (named ? "the field \"" + field + "\"."
                : std::string("a network without road-class field."));
}

void StoreRoadClassRows(const std::vector<RoadClassSpeed>& rows) {
  auto& state = shared_state();
  const auto count = static_cast<std::int32_t>(rows.size());
  for (std::int32_t row = 0; row < count; ++row)
    state.gRoadClassSpeeds[row] = rows[static_cast<std::size_t>(row)];
  for (std::int32_t row = count; row < state.gRoadClassCount; ++row)
    state.gRoadClassSpeeds[row] = {.SpeedKmph = -1, .SpeedMph = -1, .ClassValue = -1, .Alias = {}};
  state.gRoadClassCount = count;
}

bool RoadClassOf(double attribute_value, std::int32_t& road_class) {
  const double magnitude = std::trunc(std::fabs(attribute_value));
  if (!(magnitude < invalid_attribute_value))
    return false;
  road_class = static_cast<std::int32_t>(magnitude) % (largest_road_class + 1);
  return true;
}

std::optional<std::vector<double>> RoadClassFieldValues(host::HostFeatureClass* features,
                                                        int field_index) {
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Search(nullptr, false, &cursor), "FeatureClass.Search");
  require(cursor, "FeatureClass.Search");
  std::vector<double> values;
  for (;;) {
    com::ComPtr<host::HostFeature> feature;
    const auto result = cursor->NextFeature(&feature);
    check_call(result, "FeatureCursor.NextFeature");
    if (result != com::S_OK || !feature)
      return values;
    const auto value = feature->Value(field_index).to_double();
    if (!value)
      return std::nullopt;
    values.push_back(*value);
  }
}

bool RoadClassesOf(const std::vector<double>& attribute_values,
                   std::vector<std::int32_t>& classes) {
  std::set<std::int32_t> distinct;
  for (const double value : attribute_values) {
    std::int32_t road_class = 0;
    if (!RoadClassOf(value, road_class))
      return false;
    distinct.insert(road_class);
  }
  classes.assign(distinct.begin(), distinct.end());
  return true;
}

} // namespace corvane
