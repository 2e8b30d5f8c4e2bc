#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

namespace host::testing {

// A folder of its own for one test, removed afterwards.
class TempFolder {
public:
  explicit TempFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("corvane-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

private:
  std::filesystem::path path_;
};

} // namespace host::testing
