#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// Which table of turn texts: the route tool's, or the one of the gazetteer route and the tours,
// which names a whole angle of 361 and above (a turn measured through a roundabout) as such.
enum class TurnTable { Route, Tour };

// The turn text of a whole angle in degrees (counter-clockwise from straight on, as the engine's
// TurnAngle measures it): below 16 and from 346 on "Straight on", then by bands of the left and
// the right side, with "U-Turn like" from 171 to 190.
std::string_view TurnTextFromAngle(std::int32_t angle, TurnTable table = TurnTable::Route);

} // namespace corvane
