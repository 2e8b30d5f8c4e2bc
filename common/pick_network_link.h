#pragma once

#include "com/unknown.h"
#include "host/document.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/row.h"

namespace corvane {

// The feature of the network layer nearest to a clicked point (map coordinates). It searches
// a box around the point, grown by the document's search distance on every side, and widens it
// by that distance again after every pass that finds nothing; of the first pass that finds any
// feature it returns the nearest one (the first of equally near ones). Features outside that
// pass's box are not considered, even when nearer than one in a corner of the box.
//
// The widening ends once the box covers the whole layer: a layer without features gives null.
// A failing host call ends the handler.
com::ComPtr<host::HostFeature> PickNetworkLink(host::HostDocument* document,
                                               host::HostFeatureLayer* layer,
                                               host::HostPoint* point);

} // namespace corvane
