#pragma once

#include <cstdint>
#include <string_view>

#include "host/active_view.h"
#include "host/map.h"

namespace corvane {

// Selects the network layer's links that match `where`, added to its selection (selection
// method 1) or as a new one (0), and refreshes the view.
enum class SelectionMethod { New = 0, Add = 1 };
void SelectLinks(host::HostMap* map, host::HostActiveView* view, std::string_view where,
                 SelectionMethod method = SelectionMethod::Add);

// The number of the network layer's links that match `where`.
std::int32_t CountLinks(host::HostMap* map, std::string_view where);

} // namespace corvane
