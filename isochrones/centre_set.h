#pragma once

#include <cstdint>

namespace corvane {

// The Enabled rule of the multi-centre tools: a network is loaded; once none is, the set of
// centres left open (`centre_set_open`) is dropped.
bool network_loaded_or_drop_centres(std::int32_t& centre_set_open);

} // namespace corvane
