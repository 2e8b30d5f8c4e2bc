#pragma once

#include <new>
#include <optional>

#include "com/hresult.h"
#include "command/folder_turn.h"
#include "forms/message_box.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

// Runs one handler the host called and turns what ended it into the code the host receives:
// success (also for an end the user has been told of, or a file's failure it is told of here),
// the code of a failing host or engine call, or E_FAIL for any other failure. No exception leaves a
// component call.
//
// Unless `rule` says otherwise, a handler runs in this program's turn in the network folder
// (FolderTurn): two programs in one folder take turns, so that each output is one run's whole
// set. When the other does not let go in time the handler is refused with a message saying so.
template <class Handler>
com::HRESULT run_handler(Handler&& handler, FolderTurnRule rule = FolderTurnRule::whole_handler) {
  try {
    std::optional<FolderTurn> turn;
    if (const auto& folder = shared_state().gNetworkFolder;
        rule == FolderTurnRule::whole_handler && !folder.empty())
      turn.emplace(folder);
    handler();
    return com::S_OK;
  } catch (const ToldHandlerEnd&) {
    return com::S_OK;
  } catch (const HostCallFailed& failed) {
    if (!failed.has_reason())
      return failed.code();
    // A file that could not be written or read: the user learns which, why and what to do, and
    // the host that the handler ran.
    forms::MsgBox(failed.what(), "File", forms::Icon::Critical);
    return com::S_OK;
  } catch (const std::bad_alloc&) {
    return com::E_OUTOFMEMORY;
  } catch (...) {
    return com::E_FAIL;
  }
}

} // namespace corvane
