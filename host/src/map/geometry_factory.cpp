#include "map/geometry_factory.h"

#include "geometry/shape_access.h"

namespace host {

com::ComPtr<HostPoint> new_point(double x, double y, HostSpatialReference* reference) {
  return make_geometry_as<HostPoint>(make_point(x, y), reference);
}

com::ComPtr<HostEnvelope> new_envelope(const MapRect& rect, HostSpatialReference* reference) {
  Box box;
  box.add(XY{rect.xmin, rect.ymin});
  box.add(XY{rect.xmax, rect.ymax});
  return make_geometry_as<HostEnvelope>(make_envelope(box), reference);
}

bool rect_of(HostEnvelope* envelope, MapRect* rect) {
  if (!envelope || envelope->IsEmpty())
    return false;
  *rect = {envelope->XMin(), envelope->YMin(), envelope->XMax(), envelope->YMax()};
  return true;
}

} // namespace host
