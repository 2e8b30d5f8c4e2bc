#pragma once

#include <filesystem>

#include "com/hresult.h"

namespace com::detail {

// Finds the function `name` exported by a module, loading the module on first use. Fails with
// CO_E_DLLNOTFOUND when the module cannot be loaded and CO_E_ERRORINDLL when it lacks the
// export. Modules stay loaded for the life of the process: objects they made may be alive
// anywhere. A path that names the running program means the program's own exports.
HRESULT find_module_export(const std::filesystem::path& module, const char* name, void*& function);

} // namespace com::detail
