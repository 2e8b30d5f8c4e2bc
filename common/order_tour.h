#pragma once

#include <cstdint>

#include "tamix/net_calc.h"

namespace corvane {

// The engine's result when a stop lies in a part of the network the others cannot reach.
constexpr float SeparateSubnetResult = -38.0F;

// How one tool shows the order of its stops on the map. The steps of the ordering are the same
// for the TSP tool, the tour over a point layer and the gazetteer's optimised mode; what each
// writes, and where, is its own.
class TourMarks {
public:
  virtual ~TourMarks() = default;

  // The network node of stop row `row` (0 the start).
  virtual std::int32_t node_of(std::int32_t row) const = 0;
  // A short tour keeps the chosen order: stop row `row` of 1 .. `last`.
  virtual void mark_in_chosen_order(std::int32_t row, std::int32_t last) = 0;
  // The engine could not order the stops (its negative `result`): the user is told here.
  virtual void tour_failed(float result) = 0;
  // The engine ordered the stops; called before the visiting order is read.
  virtual void tour_solved() {}
  // Tour position `position` (from 0) was read; a tool that keeps the engine's stop index of
  // each position takes it from `calc` here.
  virtual void position_read(tamix::NetCalc& /*calc*/, std::int32_t /*position*/) {}
  // Stop row `row` stands at tour position `position` of 1 .. `last`.
  virtual void mark_at_position(std::int32_t row, std::int32_t position, std::int32_t last) = 0;
};

// Puts the stops rows 0 .. `last` (the engine's stops 1 .. last + 1, row 0 the start) in the
// visiting order of gTspMode. Up to three stops keep the chosen order; a round trip of three
// then returns to the start as a stop of its own (of two, it does not). More are ordered by the
// engine's tour: gStopNodes rows 0 .. last then hold the stops in visiting order, a round trip's
// return to the start included, and every stop row 1 .. last at a position's node (several
// rows may share one) is marked with that position. `last` grows by one with a return to the
// start.
//
// False when the engine cannot order the stops (after TourMarks::tour_failed): the stop lists
// stay as they were.
bool OrderTour(tamix::NetCalc& calc, std::int32_t& last, TourMarks& marks);

} // namespace corvane
