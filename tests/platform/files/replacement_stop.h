#pragma once

// Stands a failure or a kill in for one step of a replacement, through the file layer's test
// seam: before `step` of the target named `file`, the step throws, or with `kill` the process
// ends at once, as a killed run would.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "files/replace_file.h"

namespace files::testing {

inline void stop_before(Step step, const std::string& file, bool kill) {
  before_step = [step, file, kill](Step now, const std::filesystem::path& target) {
    if (now != step || target.filename() != file)
      return;
    if (kill)
      _exit(0);
    throw std::runtime_error("failed");
  };
}

// Runs `run` in a child process killed before `step` of `file`. True when the kill came; false
// when the step was never reached or the process ended otherwise.
inline bool killed_before(Step step, const std::string& file, const std::function<void()>& run) {
  const pid_t child = fork();
  if (child < 0)
    return false;
  if (child == 0) {
    stop_before(step, file, true);
    run();
    _exit(1); // the step was never reached
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace files::testing
