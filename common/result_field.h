#pragma once

#include <string_view>

#include "host/table.h"

namespace corvane {

// The per-link result field of the network layer, which the engine writes and renderers read.
inline constexpr std::string_view ResultFieldName = "CV_RESULT";

// Makes sure the feature class has "CV_RESULT" as a double of precision 10 and scale 3
// (stored as N(11,3)): a missing field is added; a field of that name with another type,
// precision or scale is deleted and added again, losing its values; a fitting one is kept with
// its values. When the host refuses the change (a damaged or read-only table, a full disk), the
// user is told the layer and the host's reason (ShowRewriteRefused) and the result is false.
bool EnsureResultField(host::HostFeatureClass* feature_class);

// Adds a field `name` of the same definition when the feature class has no field of that name
// (letter case ignored); one that exists is kept as it is. A refused addition is told as above:
// false.
bool AddResultFieldIfMissing(host::HostFeatureClass* feature_class, std::string_view name);

} // namespace corvane
