#include "network/state/road_class_rows.h"

#include <algorithm>

#include "network/state/settings_files.h"

namespace corvane {

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

} // namespace corvane
