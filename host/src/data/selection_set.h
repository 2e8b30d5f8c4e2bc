#pragma once

#include <vector>

#include "com/unknown.h"
#include "host/table.h"

namespace host {

com::ComPtr<HostSelectionSet> make_selection_set(com::ComPtr<HostTable> target,
                                                 std::vector<std::int32_t> ids);

} // namespace host
