// The add-in is one library, so its build does not stop an include that climbs back up between
// its folders. This test does: it reads every source of the add-in's folders and holds each
// include of another add-in folder against the table of tiers below.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom to top. A folder may include its own files and those of any folder of a lower tier;
// folders of one tier do not include each other but where `sideways` allows it.
struct Folder {
  std::string_view path;
  int tier;
};
constexpr Folder folders[] = {
    // The shared state and the settings files: platform, host and engine interfaces only.
    {"network/state", 0},
    // The frame every command and tool stands on.
    {"command", 1},
    // The shared procedures and steps.
    {"common", 2},
    {"dialogs", 3},
    // The commands, one folder per subsystem.
    {"network", 4},
    {"routing", 4},
    {"isochrones", 4},
    {"tsp", 4},
    {"maintenance", 4},
    {"checks", 4},
    // Registration, menus, toolbar, About and Help.
    {"addin", 5},
};

// The tours build on the routes: the tour tools write "Route.shp" as the route tool does and
// read point layers as the batch route does.
const std::pair<std::string_view, std::string_view> sideways[] = {{"tsp", "routing"}};

// The folder of the table that holds `path` (relative to the source tree), the deepest first.
std::optional<Folder> folder_of(std::string_view path) {
  std::optional<Folder> found;
  for (const auto& folder : folders) {
    const bool inside = path.size() > folder.path.size() && path.starts_with(folder.path) &&
                        path[folder.path.size()] == '/';
    if (inside && (!found || folder.path.size() > found->path.size()))
      found = folder;
  }
  return found;
}

bool may_include(const Folder& from, const Folder& to) {
  if (from.path == to.path || to.tier < from.tier)
    return true;
  for (const auto& [lower, upper] : sideways)
    if (from.path == lower && to.path == upper)
      return true;
  return false;
}

struct Include {
  std::string file; // relative to the source tree
  int line = 0;
  std::string target;
};

std::vector<Include> includes_below(const fs::path& root, std::string_view folder) {
  static const std::regex include_line(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::vector<Include> found;
  for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
    const auto extension = entry.path().extension();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
      continue;
    std::ifstream source(entry.path());
    std::string text;
    for (int line = 1; std::getline(source, text); ++line) {
      std::smatch match;
      if (std::regex_search(text, match, include_line))
        found.push_back({fs::relative(entry.path(), root).generic_string(), line, match[1]});
    }
  }
  return found;
}

// The arrows of a list of includes that the table does not allow, one line each.
std::vector<std::string> arrows_up(const std::vector<Include>& includes) {
  std::vector<std::string> wrong;
  for (const auto& include : includes) {
    const auto from = folder_of(include.file);
    const auto to = folder_of(include.target);
    if (from && to && !may_include(*from, *to))
      wrong.push_back(include.file + ":" + std::to_string(include.line) + " includes \"" +
                      include.target + "\": " + std::string(from->path) + "/ may not include " +
                      std::string(to->path) + "/");
  }
  return wrong;
}

TEST(AddinLayering, EveryIncludeBetweenTheFoldersRunsDownTheTiers) {
  const fs::path root = CORVANE_SOURCE_DIR;
  std::vector<std::string> wrong;
  int checked = 0;
  for (const auto& folder : folders) {
    ASSERT_TRUE(fs::is_directory(root / folder.path)) << folder.path << " is in the table";
    // A nested folder of the table is read as its own entry, not again with its parent's.
    for (const auto& include : includes_below(root, folder.path)) {
      if (folder_of(include.file)->path != folder.path)
        continue;
      ++checked;
      for (auto& line : arrows_up({include}))
        wrong.push_back(std::move(line));
    }
  }
  EXPECT_GT(checked, 1000) << "the add-in's sources were not found under " << root;
  std::string listing;
  for (const auto& line : wrong)
    listing += line + "\n";
  EXPECT_TRUE(wrong.empty()) << listing;
}

// The table itself: each case an include and whether it may stand.
TEST(AddinLayering, TheTableAllowsDownAndTheNamedSidewaysArrowsOnly) {
  const struct {
    std::string_view file;
    std::string_view target;
    bool allowed;
  } cases[] = {
      {"common/a.cpp", "network/state/shared_state.h", true},
      {"common/a.cpp", "common/b.h", true},
      {"network/state/a.cpp", "common/show_message.h", false},
      {"network/state/a.cpp", "network/close_network.h", false},
      {"network/a.cpp", "network/state/shared_state.h", true},
      {"network/a.cpp", "dialogs/network/n_load.h", true},
      {"command/a.h", "common/b.h", false},
      {"dialogs/routing/a.cpp", "routing/b.h", false},
      {"isochrones/a.cpp", "routing/b.h", false},
      {"tsp/a.cpp", "routing/b.h", true},
      {"routing/a.cpp", "tsp/b.h", false},
      {"addin/a.cpp", "checks/b.h", true},
      {"checks/a.cpp", "addin/b.h", false},
      {"common/a.cpp", "host/map.h", true},
  };
  for (const auto& c : cases) {
    const auto wrong = arrows_up({{std::string(c.file), 1, std::string(c.target)}});
    EXPECT_EQ(wrong.empty(), c.allowed) << c.file << " -> " << c.target;
  }
}

} // namespace
