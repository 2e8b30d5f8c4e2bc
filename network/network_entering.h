#pragma once

// The one way into a network the engine holds, for the opening and the build alike: the
// engine's load and what is said when it refuses, then the resets of a new run and the settings
// that only a loaded network takes.

#include <array>
#include <cstdint>
#include <string_view>

#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"
#include "tamix/net_base.h"

namespace corvane {

// The start of the messages of a refused engine call.
inline constexpr std::string_view NetworkNotCreated = "Network could not be created: Error = ";
inline constexpr std::string_view NetworkNotLoaded = "Network could not be loaded: Error = ";

// Whether the engine's last call succeeded (gEngineResult 0); else `what`, the code's text and
// the engine's reason (which names the file and what is wrong with it, for the user to mend)
// are shown.
bool EngineCallSucceeded(tamix::NetBase& tantest, std::string_view what);

// What a network is entered with where its settings file holds nothing: an opening keeps the
// tour mode the user had and reads a file without [Color] as black; a new network starts as a
// round trip drawn in red.
struct EntryDefaults {
  TspMode tsp_mode;
  std::array<std::int16_t, 3> colour;
};

// The resets of a network just loaded, its tour mode and route colour from `stored` or
// `defaults`.
void EnterLoadedNetwork(const StoredSettings& stored, const EntryDefaults& defaults);

} // namespace corvane
