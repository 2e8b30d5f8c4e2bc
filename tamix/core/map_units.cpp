#include "map_units.h"

#include "error.h"

#include <string>

namespace tamix {

namespace {

constexpr double us_survey_foot = 1200.0 / 3937.0;

// 0 when the code names no fixed length (degrees) or no unit at all.
double factor(int code) {
  switch (code) {
  case 0:
    return 5280 * us_survey_foot; // US survey mile
  case 1:
    return 1000.0; // kilometre
  case 3:
    return 0.3048; // foot
  case 4:
    return 0.9144; // yard
  case 7:
    return 1.0; // metre
  case 8:
    return us_survey_foot; // US survey foot
  case 9:
    return 1852.0; // nautical mile
  case 11:
    return 0.66 * us_survey_foot; // link: a hundredth of a chain
  case 12:
    return 66 * us_survey_foot; // chain
  default:
    return 0;
  }
}

} // namespace

bool is_known_map_unit(int code) {
  return code == map_units_degree || factor(code) > 0;
}

double metres_per_map_unit(int code) {
  double metres = factor(code);
  if (metres <= 0)
    throw Error(code::out_of_bounds, "map unit " + std::to_string(code) + " has no fixed length");
  return metres;
}

} // namespace tamix
