#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

#include <gtest/gtest.h>

namespace corvane::testing {

// An empty folder of the running test's own, "<temp>/corvane-<area>/<Suite>.<Test>-<pid>": a test
// never reads another's files, not even the same test running at once from another build folder,
// and a rerun starts from nothing. The caller removes it when done.
inline std::filesystem::path fresh_test_folder(std::string_view area) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(::testing::TempDir()) /
                      ("corvane-" + std::string(area)) /
                      (std::string(test->test_suite_name()) + "." + test->name() + "-" +
                       std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

} // namespace corvane::testing
