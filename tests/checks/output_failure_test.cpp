#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/add_node_shp.h"
#include "checks/cul_de_sac.h"
#include "command/handler_boundary.h"
#include "support/full_disk.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using SetBytes = std::map<std::string, std::string>;

// What a run in a child process came to.
enum Outcome { done = 10, told_the_file_and_why, told_nothing_or_a_code };

// The tools as they write their outputs over an earlier one where the files cannot be written:
// the run says which file and why (never a call's code), the earlier output stays whole, and
// the next run, with the files writable again, is not refused and leaves the whole new set.
class OutputFailure : public testing::CheckTest {
protected:
  // The files of the output set `name`, and any of its scratch sets beside it.
  SetBytes set_files(const std::string& name) {
    SetBytes files;
    for (const auto& entry : fs::directory_iterator(path())) {
      const auto file = entry.path().filename().string();
      const auto extension = entry.path().extension().string();
      const bool output = extension == ".shp" || extension == ".shx" || extension == ".dbf" ||
                          extension == ".cpg" || extension == ".prj";
      if ((file.starts_with(name + ".") && output) || file.starts_with(name + "~")) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[file] = {std::istreambuf_iterator<char>(in), {}};
      }
    }
    return files;
  }

  void expect_nothing_left_of_a_replacement() {
    for (const auto& entry : fs::directory_iterator(path())) {
      for (const char* left : {".tmp", ".replacing"})
        EXPECT_NE(entry.path().extension(), left) << entry.path();
      EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
    }
  }

  // Runs `action` in a child that `limit` (run in the child first) keeps from writing, and
  // tells what the run said.
  Outcome run_limited(const std::function<void()>& limit, const std::function<void()>& action) {
    const pid_t child = fork();
    if (child == 0) {
      limit();
      const auto before = shown().size();
      action();
      const auto all = shown();
      Outcome outcome = done;
      for (auto message = all.begin() + std::ptrdiff_t(before); message != all.end(); ++message) {
        // The others (the totals, "Specify start point" after a first click that was told)
        // say nothing of the failure either way.
        const bool names_a_file = message->find(path()) != std::string::npos &&
                                  (message->find(" cannot be ") != std::string::npos ||
                                   message->find(" could not be ") != std::string::npos);
        const bool a_code = message->find(" failed (") != std::string::npos;
        if (names_a_file && !a_code && message->ends_with("then try again")) {
          if (outcome == done)
            outcome = told_the_file_and_why;
        } else if (a_code || (message->starts_with("Error: ") && !names_a_file)) {
          outcome = told_nothing_or_a_code;
          std::fprintf(stderr, "shown: %s\n", message->c_str());
        }
      }
      std::fflush(stderr);
      _exit(outcome);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << status;
    return Outcome(WEXITSTATUS(status));
  }

  // `action` writes the output `name`; under each of `limits` it keeps the earlier set or
  // writes the whole new one, says why when it could not, and the next free run is whole.
  void fail_each_way(const std::string& name, const std::function<void()>& action,
                     const std::vector<std::pair<std::string, std::function<void()>>>& limits) {
    SCOPED_TRACE(name);
    action();
    action();
    const SetBytes whole = set_files(name);
    ASSERT_FALSE(whole.empty());
    int told = 0;
    for (const auto& [what, limit] : limits) {
      SCOPED_TRACE(what);
      const Outcome outcome = run_limited(limit, action);
      EXPECT_NE(outcome, told_nothing_or_a_code);
      told += outcome == told_the_file_and_why;
      // A set of every file a whole run writes, or none (a tool that removes its old output
      // before it writes may leave none, a projection copied from the network's aside): never a
      // part of one.
      const auto left = set_files(name);
      const auto names = [](const SetBytes& files) {
        std::vector<std::string> listed;
        for (const auto& [file, bytes] : files)
          if (!file.ends_with(".prj"))
            listed.push_back(file);
        return listed;
      };
      if (!names(left).empty()) {
        EXPECT_EQ(names(left), names(whole));
      }
      expect_nothing_left_of_a_replacement();
      const auto before = shown().size();
      action();
      const auto all = shown();
      for (auto message = all.begin() + std::ptrdiff_t(before); message != all.end(); ++message)
        EXPECT_FALSE(message->starts_with("Output File") || message->starts_with("File"))
            << *message;
      EXPECT_EQ(set_files(name), whole);
      expect_nothing_left_of_a_replacement();
    }
    EXPECT_GT(told, 0);
  }

  // A disk that fills at every size of write: each file may grow to `room` bytes at most, and
  // a write beyond it fails as one on a full disk does.
  static std::vector<std::pair<std::string, std::function<void()>>> full_disks() {
    std::vector<std::pair<std::string, std::function<void()>>> limits;
    for (const rlim_t room : {0, 1, 100, 200, 400, 1000, 3000}) {
      limits.emplace_back("room for " + std::to_string(room) + " bytes a file", [room] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{.rlim_cur = room, .rlim_max = room};
        setrlimit(RLIMIT_FSIZE, &limit);
      });
    }
    return limits;
  }

  // The folder read-only to the run: it runs as a user without the right to write there.
  std::pair<std::string, std::function<void()>> read_only_folder() {
    return {"a folder that cannot be written", [this] {
              chmod(path().c_str(), 0555);
              for (const auto& entry : fs::directory_iterator(path()))
                chmod(entry.path().c_str(), 0444);
              if (setgid(65534) != 0 || setuid(65534) != 0)
                std::fprintf(stderr, "cannot leave the root user\n");
            }};
  }

  std::vector<std::pair<std::string, std::function<void()>>> every_way() {
    auto limits = full_disks();
    if (geteuid() == 0)
      limits.push_back(read_only_folder());
    return limits;
  }

  // A disk full from each write `action` makes on, through the file layer's test seam: the
  // records and the clean-up's own writes fail too, as on a disk that stays full.
  static std::vector<std::pair<std::string, std::function<void()>>>
  full_from_each_write(const std::function<void()>& action) {
    std::vector<std::pair<std::string, std::function<void()>>> limits;
    const long writes = testing::WritesOf(action);
    for (long from = 0; from < writes; ++from)
      limits.emplace_back("full from write " + std::to_string(from) + " of " +
                              std::to_string(writes),
                          // The child runs until it exits: the seam stays with it.
                          [from] { new testing::FullDiskFrom(from); });
    return limits;
  }
};

TEST_F(OutputFailure, TheNodeLayer) {
  build_check_network();
  const auto node_layer = [&] { ASSERT_TRUE(run(com::make<AddNodeShp>())); };
  fail_each_way("node", node_layer, every_way());
  fail_each_way("node", node_layer, full_from_each_write(node_layer));
}

TEST_F(OutputFailure, TheDeadEndOutput) {
  build_check_network();
  fail_each_way(
      "CulDeSac", [&] { ASSERT_TRUE(run(com::make<CulDeSac>())); }, every_way());
}

// The first click empties "ViewRoute"; the second writes "Route" and the route's shapes into it.
TEST_F(OutputFailure, TheRoutesFirstAndSecondClick) {
  build_check_network();
  // As the host calls the tool: what ends a click is told at the tool's boundary.
  const auto tool_click = [&](double x, double y, long shift = 0) {
    EXPECT_EQ(run_handler([&] { click(x, y, shift); }), com::S_OK);
  };
  fail_each_way(
      "ViewRoute", [&] { tool_click(0, 0); }, every_way());
  fail_each_way(
      "Route",
      [&] {
        tool_click(0, 0);
        tool_click(2000, 0, 1);
      },
      every_way());
}

} // namespace
} // namespace corvane

namespace corvane {
namespace {

// A damaged record of the route's set is named, not the set; removing it lets the tool work.
TEST_F(OutputFailure, ADamagedRecordIsNamedAndItsRemovalLetsTheNextRunWork) {
  build_check_network();
  const auto route = [&] {
    EXPECT_EQ(run_handler([&] { click(0, 0); }), com::S_OK);
    EXPECT_EQ(run_handler([&] { click(2000, 0, 1); }), com::S_OK);
  };
  route();
  const SetBytes whole = set_files("Route");
  std::ofstream(path("Route.replacing"), std::ios::binary)
      << "corvane replacement\n\nRoute.shp\nroads.shp\n";
  const auto before = shown().size();
  route();
  ASSERT_GT(shown().size(), before);
  EXPECT_EQ(shown()[before], "Output File: Route.replacing in " + path() +
                                 " cannot be read: it names \"roads.shp\", which is not a file of "
                                 "the set Route; remove it, then try again");
  EXPECT_TRUE(fs::exists(path("roads.shp")));
  EXPECT_EQ(set_files("Route"), whole);
  fs::remove(path("Route.replacing"));
  const auto after = shown().size();
  route();
  const auto all = shown();
  for (auto message = all.begin() + std::ptrdiff_t(after); message != all.end(); ++message)
    EXPECT_FALSE(message->starts_with("Output File")) << *message;
  EXPECT_EQ(set_files("Route"), whole);
}

} // namespace
} // namespace corvane
