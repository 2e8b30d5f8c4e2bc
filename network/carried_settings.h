#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/settings_files.h"
#include "network/shared_state.h"

namespace corvane {

// What a rebuild of the same layer keeps of its old "Corvane.ini": the user's own settings,
// which still apply because the links keep their numbers. Each is kept only when the old file
// held it; the build writes the defaults of a new network for the others.
struct CarriedSettings {
  std::optional<std::vector<std::int32_t>> closed_links;
  std::optional<std::vector<TempSpeedRow>> temp_speeds;
  std::optional<std::vector<float>> zones;
  std::optional<std::array<std::int16_t, 3>> colour;
  std::optional<std::string> route_type;
  std::optional<std::int32_t> tsp_mode;

  bool empty() const;
  std::int32_t tsp_mode_or_default() const;
  std::array<std::int16_t, 3> colour_or_default() const;
  // The settings kept, for the user: "closed roads, temporary speeds and zones".
  std::string names() const;
};

// The settings of `ini_file` that a rebuild carries over, read as an opening reads them (the
// user is told of counts beyond the tables and of values no field can hold).
CarriedSettings ReadCarriedSettings(const std::string& ini_file);

// The changes that write them into a new "Corvane.ini" in the build's order, the defaults of a
// new network where nothing is carried: [CLOSED ROADS], [TEMPORARY SPEEDS], [ISOCHRONE], then
// [INFO] "ROUTE TYPE", "TSP MODE" and "TSP STRAIGHT LINE", then [Color].
void AddCarriedSettings(settings::Changes& changes, const CarriedSettings& carried);

} // namespace corvane
