#pragma once

#include <string>

#include "com/unknown.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::testing {

// The add-in's state once the network "roads" of `folder` is loaded through `base` and `calc`:
// one road class at 30 km/h, shortest routes in kilometres. The tests and benchmarks of the
// tools start from it and set what their tool reads beyond it.
void SetLoadedNetworkState(const com::ComPtr<tamix::NetBase>& base,
                           const com::ComPtr<tamix::NetCalc>& calc, const std::string& folder);

} // namespace corvane::testing
