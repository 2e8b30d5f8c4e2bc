#pragma once

#include <new>

#include "com/hresult.h"
#include "forms/message_box.h"
#include "network/state/handler_end.h"

namespace corvane {

// Runs one handler the host called and turns what ended it into the code the host receives:
// success (also for an end the user has been told of, or a file's failure it is told of here),
// the code of a failing host or engine call, or E_FAIL for any other failure. No exception leaves a component call.
template <class Handler> com::HRESULT run_handler(Handler&& handler) {
  try {
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
