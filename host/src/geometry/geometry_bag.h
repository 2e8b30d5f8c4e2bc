#pragma once

#include "com/unknown.h"

namespace host {

com::ComPtr<com::IUnknown> create_geometry_bag();

} // namespace host
