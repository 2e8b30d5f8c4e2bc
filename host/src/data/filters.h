#pragma once

#include "com/unknown.h"

namespace host {

com::ComPtr<com::IUnknown> create_query_filter();
com::ComPtr<com::IUnknown> create_spatial_filter();

} // namespace host
