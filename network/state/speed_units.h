#pragma once

#include <optional>

#include "com/numbers.h"

namespace corvane {

// Every road-class and temporary speed is kept in km/h and in mph, converted in double precision
// (the km/h factor is the quotient 100 / 62.1372 formed first, then multiplied) and stored in
// the precision of its table.
inline constexpr double MphPerKmph = 0.621372;
inline constexpr double KmphPerMph = 100 / 62.1372;

// The lowest speed, 1 mph, as a road class keeps it in km/h.
inline constexpr float KmphOfOneMph = 1.609342f;
// The lowest speeds a temporary speed is entered with, 1 mph in either unit: the km/h entry is
// tested against 1.6093.
inline constexpr double LowestTempSpeedKmph = 1.6093;
inline constexpr double LowestTempSpeedMph = 1;

// Both speeds of a speed entered in one unit; nothing when either is beyond single precision,
// in which the engine takes its speeds.
struct BothSpeeds {
  double kmph = 0;
  double mph = 0;
};
inline std::optional<BothSpeeds> speeds_of(double entered, bool in_mph) {
  const BothSpeeds both = in_mph ? BothSpeeds{entered * KmphPerMph, entered}
                                 : BothSpeeds{entered, entered * MphPerKmph};
  if (!com::to_single(both.kmph) || !com::to_single(both.mph))
    return std::nullopt;
  return both;
}

} // namespace corvane
