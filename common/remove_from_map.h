#pragma once

#include <string_view>

#include "host/map.h"

namespace corvane {

// Removes from the map every layer that FindLayerIndex finds by `name` and `kind` (the add-in's
// output layers of the network folder). A failing host call ends the handler.
void remove_layers(host::HostMap* map, std::string_view name, std::string_view kind);

// Removes from the map every standalone table named `name`. A failing host call ends the
// handler.
void remove_tables(host::HostMap* map, std::string_view name);

} // namespace corvane
