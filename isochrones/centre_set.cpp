#include "isochrones/centre_set.h"

#include "addin/network_loaded.h"

namespace corvane {

bool network_loaded_or_drop_centres(std::int32_t& centre_set_open) {
  if (network_loaded())
    return true;
  centre_set_open = 0;
  return false;
}

} // namespace corvane
