#include "common/finite_point.h"

#include <cmath>

namespace corvane {

bool HasFiniteCoordinates(host::HostPoint& point) {
  return std::isfinite(point.X()) && std::isfinite(point.Y());
}

std::string NotFinitePointText(std::string_view layer, std::int32_t id) {
  return "The point Fid = " + std::to_string(id) + " of the layer " + std::string(layer) +
         " cannot be placed on the network: its coordinates are not finite numbers.";
}

} // namespace corvane
