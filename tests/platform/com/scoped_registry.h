#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <unistd.h>

// Sets an environment variable (or unsets it, for nullopt) for the life of the object.
class ScopedEnv {
public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

// Points the registry at a fresh file of its own, for tests that need a registry no other
// test writes to at the same time.
class ScopedRegistry {
public:
  explicit ScopedRegistry(const std::string& name)
      : folder_(std::filesystem::temp_directory_path() /
                ("corvane-registry-" + name + "-" + std::to_string(::getpid()))),
        env_("CORVANE_REGISTRY", (folder_ / "registry").string()) {
    std::filesystem::remove_all(folder_);
  }
  ~ScopedRegistry() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::filesystem::path file() const { return folder_ / "registry"; }

private:
  std::filesystem::path folder_;
  ScopedEnv env_;
};
