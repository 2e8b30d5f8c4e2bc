#pragma once

#include "com/unknown.h"
#include "host/geometry.h"

namespace corvane {

// One line made of two: both are simplified in place, then their union is simplified again
// and returned. Two links sharing an end point give one polyline over both; a geometry joined
// with itself gives itself. A failing host call ends the handler.
com::ComPtr<host::HostGeometry> JoinLineGeometries(host::HostGeometry* first,
                                                   host::HostGeometry* second);

} // namespace corvane
