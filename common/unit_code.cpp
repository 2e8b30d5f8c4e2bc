#include "common/unit_code.h"

#include <algorithm>
#include <array>
#include <utility>

namespace corvane {

namespace {

// EPSG unit code -> engine code.
constexpr std::array<std::pair<std::int32_t, std::int32_t>, 35> engine_unit_codes{{
    {9001, 1},  // metre
    {9031, 2},  // German legal metre
    {9002, 3},  // foot
    {9003, 4},  // US survey foot
    {9005, 5},  // Clarke's foot
    {9030, 7},  // nautical mile
    {9033, 8},  // US survey chain
    {9034, 9},  // US survey link
    {9035, 10}, // US survey mile
    {9036, 11}, // kilometre
    {9037, 12}, // Clarke's yard
    {9038, 13}, // Clarke's chain
    {9039, 14}, // Clarke's link
    {9040, 15}, // Sears' yard
    {9041, 16}, // Sears' foot
    {9042, 17}, // Sears' chain
    {9043, 18}, // Sears' link
    {9050, 19}, // Benoit 1895 A yard
    {9051, 20}, // Benoit 1895 A foot
    {9052, 21}, // Benoit 1895 A chain
    {9053, 22}, // Benoit 1895 A link
    {9060, 23}, // Benoit 1895 B yard
    {9061, 24}, // Benoit 1895 B foot
    {9062, 25}, // Benoit 1895 B chain
    {9063, 26}, // Benoit 1895 B link
    {9080, 27}, // Indian foot
    {9081, 28}, // Indian foot 1937
    {9082, 29}, // Indian foot 1962
    {9083, 30}, // Indian foot 1975
    {9084, 31}, // Indian yard
    {9085, 32}, // Indian yard 1937
    {9086, 33}, // Indian yard 1962
    {9087, 34}, // Indian yard 1975
    {9070, 35}, // foot 1865
    {9102, 37}, // degree
}};

} // namespace

std::int32_t UnitCodeFromEpsg(std::int32_t epsg_code) {
  const auto found = std::find_if(engine_unit_codes.begin(), engine_unit_codes.end(),
                                  [epsg_code](const auto& row) { return row.first == epsg_code; });
  return found == engine_unit_codes.end() ? 0 : found->second;
}

} // namespace corvane
