// The add-in reaches the host's classes by ProgID, as in the host program; a test program that
// links this file serves them itself and registers them in its own registry file.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "com/guid.h"
#include "com/hresult.h"
#include "session/program_classes.h"

extern "C" __attribute__((visibility("default"))) com::HRESULT
DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** out) {
  return host::session::program_class_object(clsid, iid, out);
}

namespace {

const bool host_classes_registered = [] {
  // CTest gives each test program a registry of its own; by hand, keep off the user's.
  if (!std::getenv("CORVANE_REGISTRY")) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("corvane-addin-test-" + std::to_string(::getpid())) / "registry";
    ::setenv("CORVANE_REGISTRY", path.c_str(), 1);
  }
  return com::SUCCEEDED(host::session::register_program_classes());
}();

} // namespace
