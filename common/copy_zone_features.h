#pragma once

#include <functional>
#include <string_view>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/table.h"

namespace corvane {

// The order in which zones are copied. The engine writes the zones of a centre from the
// largest outward, so LastFirst lists them from the smallest outward.
enum class ZoneOrder { LastFirst, FirstFirst };

// What a zone's shape becomes in the copy: a new shape, or null to leave the zone out.
using ZoneReshape = std::function<com::ComPtr<host::HostGeometry>(host::HostGeometry* shape)>;

// Writes the zones of `source` into the new shapefile `output` of the network folder: the
// source's fields, shape field and coordinate system, every attribute value but the object id,
// in `order`. A zone without a shape is left out; `reshape` (when given) decides the shape of
// each other zone. The copy is written whole before it takes the place of an older `output`
// (WriteOutputWhole). Returns the new feature class. A failing host call ends the handler, and
// `output` then holds no zone of this copy.
com::ComPtr<host::HostFeatureClass> CopyZoneFeatures(host::HostFeatureClass* source,
                                                     std::string_view output, ZoneOrder order,
                                                     const ZoneReshape& reshape = {});

} // namespace corvane
