#pragma once

#include <string_view>

#include "host/map.h"

namespace corvane {

// The pre-check's test (f) for the commands that build routes with directions: when directions are
// on (gUseDescField = 1) and the network layer's feature class has no field gDescFieldName, the
// directions are switched off (gDescOption 2), [INFO] "DESC FIELD NAME" becomes "Description
// Field Not Found", and "The selected description field is not found" is shown under `title`.
// The command then goes on without directions, so this test never refuses. A network layer
// missing from the map is the layer test's to report: nothing happens here then.
void drop_missing_description_field(host::HostMap* map, std::string_view title);

} // namespace corvane
