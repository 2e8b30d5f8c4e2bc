#pragma once

namespace tamix {

// Map-unit codes the add-in hands to the engine (one code per unit family):
//   0 US survey mile, 1 kilometre, 3 foot, 4 yard, 7 metre, 8 US survey foot,
//   9 nautical mile, 10 degree, 11 link, 12 chain.
// Within a family the engine uses one unit: the international foot and yard, and the US survey
// chain and link (the family's first member).
inline constexpr int map_units_degree = 10;

bool is_known_map_unit(int code);
// Metres per map unit; degrees have no fixed factor (lengths are measured on the ellipsoid).
// Raises out_of_bounds for an unknown code or for degrees.
double metres_per_map_unit(int code);

enum class DistanceUnit { kilometres = 0, miles = 1 };
inline constexpr double metres_per_km = 1000.0;
inline constexpr double metres_per_mile = 1609.344;
inline double metres_per(DistanceUnit unit) {
  return unit == DistanceUnit::miles ? metres_per_mile : metres_per_km;
}

} // namespace tamix
