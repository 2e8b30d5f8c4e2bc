#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

#include <gtest/gtest.h>

// A fresh folder per test, removed afterwards; drive paths ("C:\...") map into its "drives".
class TempFolder : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::path(::testing::TempDir()) / "corvane-win" /
            (std::string(test->test_suite_name()) + "." + test->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    setenv("CORVANE_DRIVE_ROOT", (root_ / "drives").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("CORVANE_DRIVE_ROOT");
    std::filesystem::remove_all(root_);
  }

  // The native path of `name` inside the folder.
  std::string path(std::string_view name) const { return (root_ / name).string(); }

  void write_bytes(std::string_view name, std::string_view bytes) const {
    std::ofstream out(root_ / name, std::ios::binary);
    out << bytes;
  }
  std::string read_bytes(std::string_view name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path root_;
};
