#pragma once

// The one way into a network the engine holds, for the opening and the build alike: the
// engine's load and what is said when it refuses, then the lists the network is used with, the
// resets of a new run, gNetBase and the box that says the network is in use.

#include <string_view>

#include "com/unknown.h"
#include "network/state/stored_settings.h"
#include "tamix/net_base.h"

namespace corvane {

// The start of the messages of a refused engine call.
inline constexpr std::string_view NetworkNotCreated = "Network could not be created: Error = ";
inline constexpr std::string_view NetworkNotLoaded = "Network could not be loaded: Error = ";

// Whether the engine's last call succeeded (gEngineResult 0); else `what`, the code's text and
// the engine's reason (which names the file and what is wrong with it, for the user to mend)
// are shown. A file the engine could not write is named with its reason alone.
bool EngineCallSucceeded(tamix::NetBase& tantest, std::string_view what);

// The engine's load of the network files of its folder into `tantest`; false, the reason shown,
// when the engine refuses them.
bool LoadEngineNetwork(tamix::NetBase& tantest);

// How the network was come by, which decides what it is entered with where its settings file
// holds nothing: an opened network keeps the tour mode the user had, reads a file without
// [Color] as black and one without [ISOCHRONE] as no zones, and fills the zone dialog's list
// anew; a new network starts as a round trip drawn in red with the zones 5, 10 and 15, added to
// the list as it stands.
enum class EntryWay { opened, built };

// Enters the network `tantest` has loaded with `stored`: the closures, temporary speeds and
// zones into the shared state, the resets of a new run, tour mode and route colour; gNetBase
// becomes `tantest`, and the user is told that the network is in use.
void EnterLoadedNetwork(const com::ComPtr<tamix::NetBase>& tantest, const StoredSettings& stored,
                        EntryWay way);

} // namespace corvane
