#include "network/state/shared_state.h"

namespace corvane {

namespace {
thread_local SharedState state;
}

SharedState& shared_state() {
  return state;
}

void reset_shared_state() {
  state = SharedState{};
}

} // namespace corvane
