#pragma once

#include <new>

#include "com/hresult.h"
#include "network/state/handler_end.h"

namespace corvane {

// Runs one handler the host called and turns what ended it into the code the host receives:
// success (also for an end the user has been told of), the code of a failing host or engine
// call, or E_FAIL for any other failure. No exception leaves a component call.
template <class Handler> com::HRESULT run_handler(Handler&& handler) {
  try {
    handler();
    return com::S_OK;
  } catch (const ToldHandlerEnd&) {
    return com::S_OK;
  } catch (const HostCallFailed& failed) {
    return failed.code();
  } catch (const std::bad_alloc&) {
    return com::E_OUTOFMEMORY;
  } catch (...) {
    return com::E_FAIL;
  }
}

} // namespace corvane
