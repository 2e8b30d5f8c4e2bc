#include "command/folder_turn.h"

#include <chrono>

#include "forms/message_box.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

// How long a click waits for the other program before it is refused.
constexpr std::chrono::seconds patience{10};

} // namespace

FolderTurn::FolderTurn(const std::string& folder) : lock_(folder, patience) {
  if (lock_.held())
    return;
  forms::MsgBox("Another program is working in the network folder " + folder +
                    "; wait for it to finish, then try again.",
                "Network Folder", forms::Icon::Exclamation);
  throw ToldHandlerEnd("the network folder is another program's");
}

} // namespace corvane
