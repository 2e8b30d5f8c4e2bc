// CTest gives each test program its own registry file; when the program is run by hand this
// keeps it off the user's real registry all the same.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

const bool registry_isolated = [] {
  if (std::getenv("CORVANE_REGISTRY"))
    return false;
  const auto path = std::filesystem::temp_directory_path() /
                    ("corvane-com-test-" + std::to_string(::getpid())) / "registry";
  ::setenv("CORVANE_REGISTRY", path.c_str(), 1);
  return true;
}();

} // namespace
