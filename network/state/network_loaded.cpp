#include "network/state/network_loaded.h"

#include "network/state/shared_state.h"

namespace corvane {

bool network_loaded(tamix::NetBase* net_base) {
  return net_base && net_base->IsLoaded();
}

bool network_loaded() {
  return network_loaded(shared_state().gNetBase.get());
}

} // namespace corvane
