#pragma once

#include <initializer_list>
#include <string_view>

namespace corvane {

// True when the network layer's ".prj" is in gNetworkFolder; otherwise shows "The chosen
// polyline layer is missing projection information. ..." ("PRJ", critical icon).
bool NetworkProjectionPresent();

// Gives outputs of the network folder the network layer's coordinate system: the network
// layer's ".prj" is copied as "`name`.prj" for every name. When the network layer has no ".prj"
// the user is told so ("PRJ", critical) and nothing is written: false. A set of the user's under
// one of the names (see RefuseUserSet) is told and ends the handler before anything is written,
// as does a failing host call.
bool CopyNetworkProjection(std::initializer_list<std::string_view> names);

} // namespace corvane
