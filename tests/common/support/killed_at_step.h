#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/replace_file.h"

namespace corvane::testing {

using ReachedSteps = std::vector<std::pair<files::testing::Step, std::string>>;

// Whether `step` is one the tests count and stop at: not a sync, since a kill before a sync
// leaves what the step before it left.
inline bool IsCountedStep(files::testing::Step step) {
  return step != files::testing::Step::sync;
}

// Runs `action` in a forked child that ends as a kill would before replacement step `kill_at`
// (counted from 0 among the counted steps; -1 runs to the end), and returns the steps it reached
// with each target's file name. `report` is a scratch file the child writes them to; it is gone
// afterwards. A kill step the action never reaches fails the test.
inline ReachedSteps RunKilledAtStep(const std::filesystem::path& report,
                                    const std::function<void()>& action, int kill_at) {
  using files::testing::Step;
  const pid_t child = fork();
  if (child == 0) {
    int reached = 0;
    std::ofstream steps(report, std::ios::trunc);
    files::testing::before_step = [&](Step step, const std::filesystem::path& target) {
      if (!IsCountedStep(step))
        return;
      steps << static_cast<int>(step) << ' ' << target.filename().string() << std::endl;
      if (reached++ == kill_at)
        _exit(0);
    };
    action();
    files::testing::before_step = nullptr;
    steps.close();
    _exit(kill_at < 0 ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ReachedSteps steps;
  std::ifstream in(report);
  for (int step = 0; in >> step;) {
    std::string file;
    in >> file;
    steps.emplace_back(static_cast<Step>(step), file);
  }
  in.close();
  std::filesystem::remove(report);
  return steps;
}

} // namespace corvane::testing
