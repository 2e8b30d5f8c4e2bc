#pragma once

#include <string>

#include "com/unknown.h"
#include "host/workspace.h"

namespace host {

// The workspace of a folder; HostError when the folder does not exist.
com::ComPtr<HostWorkspace> open_workspace(const std::string& folder);

com::ComPtr<com::IUnknown> create_workspace_factory();

} // namespace host
