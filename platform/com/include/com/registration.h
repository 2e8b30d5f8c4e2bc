#pragma once

#include <filesystem>

#include "com/hresult.h"

namespace com {

// Registers or unregisters every class of a module file by calling its DllRegisterServer or
// DllUnregisterServer, as a host does for the modules it ships with. Fails with
// CO_E_DLLNOTFOUND when the module cannot be loaded, CO_E_ERRORINDLL when it lacks the
// export, or the code the module returned.
HRESULT register_module(const std::filesystem::path& module);
HRESULT unregister_module(const std::filesystem::path& module);

} // namespace com
