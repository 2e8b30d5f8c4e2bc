#pragma once

namespace corvane {

// The CloseNetwork command's share of the engine: its construction replaces gNetBase and
// gNetCalc with a new pair bound to each other (gNetworkId); its click unloads the network the
// engine holds; its destruction, at host shutdown, unloads and releases the shared engine
// objects and the shared document. Closing is shallow: settings, lists, map graphics and files
// stay until the next opening replaces them or the user clears results.

// Ends the construction (HandlerEnd) when the engine component cannot be created.
void CreateSharedEnginePair();

// Releases gDocument (on every click); when a network is loaded, unloads it, sets
// gNetworkState closed and shows "Network Closed Successfully".
void CloseLoadedNetwork();

// The same without a message, then gDocument, gNetBase and gNetCalc are released. True when
// a loaded network was unloaded. Never throws: it runs at destruction.
bool ReleaseSharedEngine() noexcept;

} // namespace corvane
