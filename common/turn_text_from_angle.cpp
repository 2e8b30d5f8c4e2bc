#include "common/turn_text_from_angle.h"

#include <array>

namespace corvane {

namespace {

struct TurnBand {
  std::int32_t from; // the smallest angle of the band
  std::string_view text;
};

// Tested from the top; the first band whose lower bound the angle reaches wins.
constexpr std::array<TurnBand, 8> turn_bands{{
    {346, "Straight on"},
    {301, "Slight Turn to Right"},
    {241, "Turn to the Right"},
    {191, "Sharp Turn to the Right"},
    {171, "U-Turn like"},
    {121, "Sharp Turn to the Left"},
    {61, "Turn to the Left"},
    {16, "Slight Turn to the Left"},
}};

} // namespace

std::string_view TurnTextFromAngle(std::int32_t angle, TurnTable table) {
  if (table == TurnTable::Tour && angle >= 361)
    return "Turn Angle 360 and exit in roundabout";
  for (const auto& band : turn_bands)
    if (angle >= band.from)
      return band.text;
  return "Straight on";
}

} // namespace corvane
