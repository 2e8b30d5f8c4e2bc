#pragma once

#include <cstdint>

namespace corvane {

// The engine's map-unit code of a standard (EPSG) linear or angular unit code; 0 for a unit
// the engine does not know. The codes 6 and 36 are produced by no unit.
std::int32_t UnitCodeFromEpsg(std::int32_t epsg_code);

} // namespace corvane
