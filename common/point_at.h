#pragma once

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/spatial_reference.h"

namespace corvane {

// A new point at (x, y) in `reference`; ends the handler when the host cannot make one.
com::ComPtr<host::HostPoint> point_at(double x, double y, host::HostSpatialReference* reference);

} // namespace corvane
