#include "command/folder_turn.h"

#include <chrono>

#include "forms/message_box.h"
#include "network/state/handler_end.h"
#include "win/paths.h"

namespace corvane {

namespace {

// How long a click waits for the other program before it is refused.
constexpr std::chrono::seconds patience{10};

} // namespace

// The folder as the system finds it (a drive path mapped, letter case as on disk), so that two
// programs naming one folder differently still take turns.
FolderTurn::FolderTurn(const std::string& folder) : lock_(win::resolve_path(folder), patience) {
  if (lock_.held())
    return;
  forms::MsgBox("Another program is working in the network folder " + folder +
                    "; wait for it to finish, then try again.",
                "Network Folder", forms::Icon::Exclamation);
  throw ToldHandlerEnd("the network folder is another program's");
}

} // namespace corvane
