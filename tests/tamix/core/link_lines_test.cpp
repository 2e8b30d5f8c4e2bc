#include "error_matchers.h"
#include "fixture.h"

#include "link_lines.h"

#include <fstream>
#include <string>
#include <vector>

namespace tamix::test {
namespace {

std::vector<std::string> lines_of(const std::filesystem::path& file, LinkId link_count) {
  std::vector<std::string> lines;
  read_link_lines(file, link_count, [&](LinkId link, std::string_view line) {
    EXPECT_EQ(link, lines.size() + 1);
    lines.emplace_back(line);
  });
  return lines;
}

TEST(LinkLines, OneLinePerLinkWithBlankLinesAfterTheLinksDropped) {
  const struct {
    const char* name;
    std::string text;
    LinkId links;
    std::vector<std::string> expected;
  } cases[] = {
      {"CR LF and LF, the last line without its end", "a\r\nb\nc", 3, {"a", "b", "c"}},
      {"blanks inside a line stay", " a \r\n\tb\r\n", 2, {" a ", "\tb"}},
      {"blank lines within the links are theirs", "\r\na\n\nb\n", 4, {"", "a", "", "b"}},
      {"the last links' blank lines are theirs", "a\r\n\r\n\r\n", 3, {"a", "", ""}},
      {"blank lines after the links are dropped", "a\r\nb\r\n\r\n \t\r\n\n", 2, {"a", "b"}},
      {"a last blank line without its end", "a\r\n  ", 1, {"a"}},
      {"no links", "\r\n\r\n", 0, {}},
  };
  const TempFolder folder;
  const auto file = folder.path() / "links.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(file, std::ios::binary) << c.text;
    EXPECT_EQ(lines_of(file, c.links), c.expected);
  }
}

TEST(LinkLines, OtherLineCountsAreRefusedBeforeAnyLineIsTaken) {
  const struct {
    const char* name;
    std::string text;
    LinkId links;
    const char* told;
  } cases[] = {
      {"one line short", "a\r\nb\r\n", 3, "2 lines for the network's 3 links"},
      {"a line after blank ones", "a\r\n\r\nb\r\n", 2, "3 lines for the network's 2 links"},
      {"an empty file", "", 1, "0 lines for the network's 1 links"},
  };
  const TempFolder folder;
  const auto file = folder.path() / "links.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(file, std::ios::binary) << c.text;
    bool taken = false;
    try {
      read_link_lines(file, c.links, [&](LinkId, std::string_view) { taken = true; });
      ADD_FAILURE() << "read";
    } catch (const Error& error) {
      EXPECT_EQ(error.code(), code::general_error);
      const std::string told = error.what();
      EXPECT_NE(told.find(file.string()), std::string::npos) << told;
      EXPECT_NE(told.find(c.told), std::string::npos) << told;
    }
    EXPECT_FALSE(taken);
  }
  EXPECT_TRUE(fails_with(code::load_failed, [&] {
    read_link_lines(folder.path() / "none.txt", 1, [](auto, auto) {});
  }));
}

} // namespace
} // namespace tamix::test
