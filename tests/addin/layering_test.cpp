// The add-in is one library, so its build does not stop an include that climbs back up between
// its folders. This test does: it reads every source the add-in's build compiles (its list,
// "addin_sources.txt" of the build folder) and every header of the folders it takes them from
// (CORVANE_ADDIN_FOLDERS, the build's own list), and holds each include of another add-in
// folder, in quotes or brackets, by its path from the source tree or from the including file,
// against the table of tiers below. A folder or source the build compiles that the table does
// not place, or a folder the table places that the build leaves out, fails the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
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
  std::string target; // as written
  bool bracketed = false;
};

// The file an include names, relative to the source tree (`root`): one in quotes is looked for
// beside the including file first, as the compiler does, and one that climbs ("../") is always
// read from there; otherwise it is read from the tree's top, which is on the include path.
std::string included_path(const fs::path& root, const Include& include) {
  const fs::path beside =
      (fs::path(include.file).parent_path() / include.target).lexically_normal();
  const bool from_beside =
      !include.bracketed && (include.target.starts_with("../") ||
                             include.target.starts_with("./") || fs::exists(root / beside));
  return (from_beside ? beside : fs::path(include.target).lexically_normal()).generic_string();
}

// The file an include line names and whether it is in brackets: `#include "a/b.h"` or
// `# include <a/b.h>`, blanks allowed around the '#'; nothing for any other line.
std::optional<std::pair<std::string, bool>> included_by(std::string_view text) {
  const auto skip_blanks = [&] {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
      text.remove_prefix(1);
  };
  skip_blanks();
  if (!text.starts_with('#'))
    return std::nullopt;
  text.remove_prefix(1);
  skip_blanks();
  if (!text.starts_with("include"))
    return std::nullopt;
  text.remove_prefix(std::string_view("include").size());
  skip_blanks();
  if (!text.starts_with('"') && !text.starts_with('<'))
    return std::nullopt;
  const bool bracketed = text.front() == '<';
  const auto end = text.find(bracketed ? '>' : '"', 1);
  if (end == std::string_view::npos || end == 1)
    return std::nullopt;
  return std::pair{std::string(text.substr(1, end - 1)), bracketed};
}

std::vector<Include> includes_of(const fs::path& root, const std::string& file) {
  std::vector<Include> found;
  std::ifstream source(root / file);
  std::string text;
  for (int line = 1; std::getline(source, text); ++line)
    if (const auto target = included_by(text))
      found.push_back({file, line, target->first, target->second});
  return found;
}

// The folders the add-in's build takes its sources from.
std::vector<std::string> built_folders() {
  std::istringstream list(CORVANE_ADDIN_FOLDERS);
  std::vector<std::string> names;
  for (std::string name; list >> name;)
    names.push_back(name);
  return names;
}

// The sources the build compiles into the add-in, as it lists them, relative to `root`.
std::vector<std::string> compiled_sources(const fs::path& root) {
  std::ifstream list(fs::path(CORVANE_BINARY_DIR) / "addin_sources.txt");
  std::vector<std::string> files;
  for (std::string line; std::getline(list, line);)
    if (!line.empty())
      files.push_back(fs::path(line).lexically_relative(root).generic_string());
  return files;
}

// Every source and header of the add-in: those the build compiles, and every ".h" and ".cpp"
// of its folders.
std::set<std::string> addin_files(const fs::path& root) {
  const auto compiled = compiled_sources(root);
  std::set<std::string> files(compiled.begin(), compiled.end());
  for (const auto& name : built_folders()) {
    if (!fs::is_directory(root / name))
      continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / name)) {
      const auto extension = entry.path().extension();
      if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp"))
        files.insert(fs::relative(entry.path(), root).generic_string());
    }
  }
  return files;
}

// The arrows of a list of includes that the table does not allow, one line each.
std::vector<std::string> arrows_up(const fs::path& root, const std::vector<Include>& includes) {
  std::vector<std::string> wrong;
  for (const auto& include : includes) {
    const auto from = folder_of(include.file);
    const auto to = folder_of(included_path(root, include));
    if (from && to && !may_include(*from, *to))
      wrong.push_back(include.file + ":" + std::to_string(include.line) + " includes \"" +
                      include.target + "\": " + std::string(from->path) + "/ may not include " +
                      std::string(to->path) + "/");
  }
  return wrong;
}

// The table and the build name the same folders: each folder the build takes sources from, and
// each source it compiles, has its tier, and the table places no folder the build leaves out.
TEST(AddinLayering, TheTableHoldsWhatTheBuildCompiles) {
  const fs::path root = CORVANE_SOURCE_DIR;
  const auto built = built_folders();
  ASSERT_FALSE(built.empty());
  for (const auto& name : built) {
    EXPECT_TRUE(fs::is_directory(root / name)) << name << " is compiled but not in the tree";
    const bool placed =
        std::ranges::any_of(folders, [&](const Folder& f) { return f.path == name; });
    EXPECT_TRUE(placed) << name << "/ is compiled into the add-in but has no tier";
  }
  for (const auto& folder : folders) {
    const auto top = folder.path.substr(0, folder.path.find('/'));
    EXPECT_NE(std::ranges::find(built, top), built.end())
        << folder.path << " has a tier but is not compiled into the add-in";
  }
  const auto compiled = compiled_sources(root);
  EXPECT_GT(compiled.size(), 100U) << "the build's list of the add-in's sources was not read";
  for (const auto& file : compiled)
    EXPECT_TRUE(folder_of(file)) << file << " is compiled into the add-in outside every tier";
}

TEST(AddinLayering, EveryIncludeBetweenTheFoldersRunsDownTheTiers) {
  const fs::path root = CORVANE_SOURCE_DIR;
  std::vector<std::string> wrong;
  int checked = 0;
  for (const auto& file : addin_files(root)) {
    if (!folder_of(file))
      continue; // told by the test above
    for (const auto& include : includes_of(root, file)) {
      ++checked;
      for (auto& line : arrows_up(root, {include}))
        wrong.push_back(std::move(line));
    }
  }
  EXPECT_GT(checked, 1000) << "the add-in's sources were not found under " << root;
  std::string listing;
  for (const auto& line : wrong)
    listing += line + "\n";
  EXPECT_TRUE(wrong.empty()) << listing;
}

// The include lines the scan reads, and those it passes over.
TEST(AddinLayering, IncludesAreReadInQuotesAndBrackets) {
  using Target = std::optional<std::pair<std::string, bool>>;
  const std::pair<std::string_view, Target> cases[] = {
      {R"(#include "common/a.h")", std::pair{std::string("common/a.h"), false}},
      {"  #  include <common/a.h> // why", std::pair{std::string("common/a.h"), true}},
      {"#\tinclude\t\"../a.h\"", std::pair{std::string("../a.h"), false}},
      {"// #include \"common/a.h\"", std::nullopt},
      {"#include_next <a.h>", std::nullopt},
      {"#include \"common/a.h", std::nullopt},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(included_by(line), expected) << line;
}

// The table itself: each case an include and whether it may stand.
TEST(AddinLayering, TheTableAllowsDownAndTheNamedSidewaysArrowsOnly) {
  const struct {
    std::string_view file;
    std::string_view target;
    bool allowed;
    bool bracketed = false;
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
      // In brackets, and climbing from the including file.
      {"network/state/a.cpp", "common/show_message.h", false, true},
      {"common/a.cpp", "network/state/shared_state.h", true, true},
      {"network/state/a.cpp", "../../common/show_message.h", false},
      {"network/state/a.cpp", "../close_network.h", false},
      {"common/a.cpp", "../network/state/shared_state.h", true},
      {"dialogs/routing/a.cpp", "../../routing/b.h", false},
      {"tsp/a.cpp", "./b.h", true},
  };
  const fs::path root = CORVANE_SOURCE_DIR;
  for (const auto& c : cases) {
    const auto wrong =
        arrows_up(root, {{std::string(c.file), 1, std::string(c.target), c.bracketed}});
    EXPECT_EQ(wrong.empty(), c.allowed) << c.file << " -> " << c.target;
  }
}

} // namespace
