#pragma once

#include <string_view>

#include "common/result_field.h"
#include "host/active_view.h"

namespace corvane {

// The engine run set-up that every calculation sends before it solves, because the engine keeps
// these settings only until the next run replaces them. The engine's return codes go to
// gEngineResult and gCallResult untested: a failing set-up call shows nothing.

// Names the result table (the network layer's ".dbf", by bare name: the engine finds it in the
// network folder it was loaded from) and its field, "CV_RESULT" unless another is named.
void SetResultTableAndField(std::string_view field = ResultFieldName);

// The cost set-up alone: sets the cost weights of gRouteType (primary the quantity the route
// minimises, secondary the other one), and sends the road-class speeds and temporary speeds in
// the speed column of gDistUnits and the closed links. It leaves the result field alone: a
// command that writes its output elsewhere (the batch table) keeps the last route's marks.
void ApplyCostSettings();

// The set-up after the result table is named: empties "CV_RESULT", then ApplyCostSettings.
// With `redrawn`, that view is partly redrawn in between, so that the emptied field shows
// before the engine works.
void ClearResultAndApplyCostSettings(host::HostActiveView* redrawn = nullptr);

// Closes every link of gClosedLinks in the engine (the route tool also does this at a new start).
void SendClosedLinks();

// SetResultTableAndField, then ClearResultAndApplyCostSettings (with its redraw of `redrawn`).
void ApplyEngineSettings(host::HostActiveView* redrawn = nullptr);

} // namespace corvane
