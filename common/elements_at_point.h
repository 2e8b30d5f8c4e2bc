#pragma once

#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// Both remove graphics located at `point` (map coordinates) and redraw the view. They take the
// located elements in order and delete them while they are of their kind; the first element of
// another kind stops the walk, leaving it and all after it in place and the view not redrawn.
// Nothing located: nothing deleted, no redraw. A failing host call ends the handler.

// The marker elements that AddMarkerGraphic places, located with tolerance 0 (a marker is
// found anywhere on its symbol).
void RemoveMarkerGraphic(host::HostMap* map, host::HostPoint* point);

// The result graphics that carry a name tag (labels, route lines, zones), located with a
// tolerance of 0.001 map units.
void DeleteElementsAt(host::HostMap* map, host::HostPoint* point);

} // namespace corvane
