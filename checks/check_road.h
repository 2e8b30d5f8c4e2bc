#pragma once

// The road every network check takes, told once; each check says which steps it takes:
//   1. the network pre-check (CheckNetworkReady with its four tests); a failure ends the check
//      with nothing changed;
//   2. where the check needs one, the projection test (NetworkProjectionPresent in
//      common/network_projection.h), before anything is changed;
//   3. the busy pointer (BusyPointer), and the result field: the result table and "CV_RESULT"
//      named and cleared;
//   4. the engine's find, and 5. the engine writes its values (RunEngineCheck does 3 to 5);
//   6. the check shows what was found: a selection on the network layer (SelectLinks, CountLinks
//      in common/link_selection.h) or an output layer; 7. a message reports it;
//   8. the settings stamp (StampNetworkEdited); 9. the default pointer.
// A failing host or engine call anywhere on the road ends the check with an error box that
// names the failure (RunWithErrorBox in common/error_box.h, around the check's whole click), so
// that the user never takes a half-done check for a result.

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/error_box.h"
#include "common/link_selection.h"
#include "host/table.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// A check writes its output shapefile under a fixed name in the network folder, deleting the
// old one first: a network layer of that name (letter case aside) would be deleted with it.
// True, after a critical box, when the network layer has that name.
bool RefuseNetworkNamedAs(std::string_view output_name, std::string_view title);

// Steps 3 to 5 without the pointer: NetBase.ResetLinkCosts(-1) (before the rest, or after the
// write for the subnet check), the result table and "CV_RESULT" named, the field cleared, then
// `find` on the calculation object and NetCalc.WriteResults. Returns what `find` returned (a
// count); a negative engine code from any of them but the cost reset ends the check.
enum class CostReset { BeforeFind, BeforeAndAfterFind, AfterFind };
std::int32_t RunEngineCheck(const std::function<std::int32_t(tamix::NetCalc&)>& find,
                            CostReset reset);

// The engine writes the point output `name` into the network folder: `write` on NetBase with
// output option 1 (a negative engine code ends the check). Returns the output's feature class.
com::ComPtr<host::HostFeatureClass>
WriteEnginePoints(std::string_view name, const std::function<std::int32_t(tamix::NetBase&)>& write);

// Keeps `code` in gEngineResult and returns it; a negative engine code ends the check with the
// engine's error text.
std::int32_t EngineChecked(std::int32_t code);

} // namespace corvane
