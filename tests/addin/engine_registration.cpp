#include <gtest/gtest.h>

#include <filesystem>

#include "com/registration.h"
#include "command/app_path.h"

namespace {

// CreateNetwork and CloseNetwork make their engine objects when they are constructed, so the
// engine module built beside the tests is registered before any test runs.
class EngineRegistration : public ::testing::Environment {
public:
  void SetUp() override {
    ASSERT_EQ(com::register_module(std::filesystem::path(corvane::AppPath()) / "libtamix.so"),
              com::S_OK);
  }
};

const auto* const engine_registration = ::testing::AddGlobalTestEnvironment(new EngineRegistration);

} // namespace
