// The add-in reaches the host's classes by ProgID, as in the host program; a test program that
// links this file serves them itself and registers them in its own registry file.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include "com/guid.h"
#include "com/hresult.h"
#include "session/program_classes.h"

extern "C" __attribute__((visibility("default"))) com::HRESULT
DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** out) {
  return host::session::program_class_object(clsid, iid, out);
}

namespace {

// The registry folder this program made for itself, removed when it ends.
std::filesystem::path own_registry_folder;

const bool host_classes_registered = [] {
  // CTest gives each test program a registry of its own; by hand, and when the build lists a
  // program's tests, keep off the user's.
  if (!std::getenv("CORVANE_REGISTRY")) {
    own_registry_folder = std::filesystem::temp_directory_path() /
                          ("corvane-addin-test-" + std::to_string(::getpid()));
    ::setenv("CORVANE_REGISTRY", (own_registry_folder / "registry").c_str(), 1);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(own_registry_folder, ignored);
    });
  }
  return com::SUCCEEDED(host::session::register_program_classes());
}();

} // namespace
