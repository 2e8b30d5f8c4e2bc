#include "isochrones/batch_link_isochrones.h"

namespace corvane {

bool BatchLinkIsochrones(BatchIsoRun&) {
  return true;
}

} // namespace corvane
