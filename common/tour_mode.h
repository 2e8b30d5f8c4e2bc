#pragma once

#include <cstdint>

#include "network/state/shared_state.h"

namespace corvane {

// The kinds of tour of gTspMode. Only the engine tells straight lines apart; the tools'
// markers and labels follow the kind alone.

inline bool IsStartEndTour(TspMode mode) {
  return mode.kind == TourKind::StartEnd;
}
inline bool IsRoundTrip(TspMode mode) {
  return mode.kind == TourKind::RoundTrip;
}
inline bool IsStartOnlyTour(TspMode mode) {
  return mode.kind == TourKind::StartOnly;
}

// The most stops a tour takes: one per row of gStopNodes (0 .. 3000), one fewer for a round
// trip, whose return to the start takes a row of its own.
inline std::int32_t MostTourStops(TspMode mode) {
  return IsRoundTrip(mode) ? 3000 : 3001;
}

} // namespace corvane
