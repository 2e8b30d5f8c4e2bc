#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

// The standard output of "gishost ARGUMENTS" run with a class registry of its own, and its exit
// status.
inline std::string gishost_listing(const std::string& arguments, int& status) {
  const auto registry =
      std::filesystem::temp_directory_path() / ("listing-registry-" + std::to_string(::getpid()));
  const std::string command = "CORVANE_REGISTRY='" + registry.string() +
                              "' " CORVANE_BINARY_DIR "/bin/gishost " + arguments;
  std::string out;
  status = -1;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe))
      out.append(buffer, n);
    status = ::pclose(pipe);
  }
  std::filesystem::remove(registry);
  return out;
}
