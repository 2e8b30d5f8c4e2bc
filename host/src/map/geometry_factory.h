#pragma once

#include "host/geometry.h"
#include "map/rect.h"

namespace host {

// New geometry objects for the map's answers (clicked points, extents), labelled with the
// map's coordinate system (which may be null).
com::ComPtr<HostPoint> new_point(double x, double y, HostSpatialReference* reference);
com::ComPtr<HostEnvelope> new_envelope(const MapRect& rect, HostSpatialReference* reference);
// The rectangle of an envelope; false for a null or empty one.
bool rect_of(HostEnvelope* envelope, MapRect* rect);

} // namespace host
