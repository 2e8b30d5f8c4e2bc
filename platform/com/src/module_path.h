#pragma once

#include <filesystem>

namespace com::detail {

// The running program's own file.
std::filesystem::path running_program_path();
// The file of the module (shared library or program) this copy of the runtime is linked into.
std::filesystem::path this_module_path();

} // namespace com::detail
