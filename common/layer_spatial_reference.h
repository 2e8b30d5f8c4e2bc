#pragma once

#include "com/unknown.h"
#include "host/spatial_reference.h"
#include "host/table.h"

namespace corvane {

// The spatial reference of a feature class's shape field (null when the data has none);
// callers give their new points and envelopes this reference. A failing host call ends the
// handler.
com::ComPtr<host::HostSpatialReference>
GetLayerSpatialReference(host::HostFeatureClass* feature_class);

} // namespace corvane
