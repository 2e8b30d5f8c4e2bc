#pragma once

#include <cstdint>

namespace corvane {

// The tour modes of gTspMode: 0 start-end, 1 round trip, 2 from the start only, and the same
// plus 10 when the stops are ordered by straight-line distances. Only the engine tells the
// straight-line codes apart; everywhere else 10, 11 and 12 act as 0, 1 and 2.

inline bool IsStartEndTour(std::int32_t tsp_mode) {
  return tsp_mode == 0 || tsp_mode == 10;
}
inline bool IsRoundTrip(std::int32_t tsp_mode) {
  return tsp_mode == 1 || tsp_mode == 11;
}
inline bool IsStartOnlyTour(std::int32_t tsp_mode) {
  return tsp_mode == 2 || tsp_mode == 12;
}

// The most stops a tour takes: one per row of gStopNodes (0 .. 3000), one fewer for a round
// trip, whose return to the start takes a row of its own.
inline std::int32_t MostTourStops(std::int32_t tsp_mode) {
  return IsRoundTrip(tsp_mode) ? 3000 : 3001;
}

} // namespace corvane
