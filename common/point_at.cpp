#include "common/point_at.h"

#include "network/state/handler_end.h"

namespace corvane {

com::ComPtr<host::HostPoint> point_at(double x, double y, host::HostSpatialReference* reference) {
  const auto point = create<host::HostPoint>(host::PointClass);
  point->PutCoords(x, y);
  point->SetSpatialReference(reference);
  return point;
}

} // namespace corvane
