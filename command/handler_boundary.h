#pragma once

#include <exception>
#include <optional>

#include "com/hresult.h"
#include "command/folder_turn.h"
#include "command/handler_failure.h"
#include "forms/message_box.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

// Tells the user what ended a handler, when no step told it before, and lets the host know the
// handler ran.
inline com::HRESULT TellHandlerFailure(const std::exception_ptr& failure) {
  try {
    if (const auto box = DescribeHandlerFailure(failure); !box.text.empty())
      forms::MsgBox(box.text, box.title, forms::Icon::Critical);
    return com::S_OK;
  } catch (...) {
    // Not even the box could be shown (no memory for it): the host hears the failure.
    return com::E_FAIL;
  }
}

// Runs one handler the host called and turns what ended it into the code the host receives:
// the code of a host or engine call that failed without a reason for the user (the host names
// the handler and the call's code), or success, also for any other failure, which the user is
// told of here in words when no step told it before (DescribeHandlerFailure): an unforeseen
// failure ends with a box, never a bare code. No exception leaves a component call.
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
  } catch (const HostCallFailed& failed) {
    // The host hears which of its calls failed without a reason for the user, and names the
    // handler and the call's code.
    if (!failed.has_reason())
      return failed.code();
    return TellHandlerFailure(std::current_exception());
  } catch (...) {
    return TellHandlerFailure(std::current_exception());
  }
}

} // namespace corvane
