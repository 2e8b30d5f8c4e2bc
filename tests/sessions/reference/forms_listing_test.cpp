// `gishost --forms` lists the dialogs from their definitions: every dialog class of the
// add-in's sources appears, with its caption and controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "gishost_listing.h"

namespace {

namespace fs = std::filesystem;

// The dialog classes the add-in's dialog headers define: classes that derive from
// forms::Form, directly or through a base of their own, and that no other class derives from.
std::set<std::string> dialog_classes() {
  const std::regex declaration(R"(class\s+(\w+)\s*(?:final\s*)?:\s*public\s+([\w:]+))");
  std::map<std::string, std::string> base_of;
  for (const auto& entry :
       fs::recursive_directory_iterator(fs::path(CORVANE_SOURCE_DIR) / "dialogs")) {
    if (entry.path().extension() != ".h")
      continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const auto source = text.str();
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it)
      base_of[(*it)[1]] = (*it)[2];
  }
  const auto is_dialog = [&](std::string name) {
    for (int depth = 0; depth < 8 && base_of.contains(name); ++depth) {
      name = base_of[name];
      if (name == "forms::Form")
        return true;
    }
    return false;
  };
  std::set<std::string> bases;
  for (const auto& [name, base] : base_of)
    bases.insert(base);
  std::set<std::string> dialogs;
  for (const auto& [name, base] : base_of)
    if (is_dialog(name) && !bases.contains(name))
      dialogs.insert(name);
  return dialogs;
}

TEST(FormsListing, ListsEveryDialogOfTheSourcesWithItsControls) {
  int status = -1;
  const auto listing = gishost_listing("--forms", status);
  ASSERT_EQ(status, 0) << listing;

  std::set<std::string> listed;
  const std::regex head(R"((?:^|\n)form (\w+) ")");
  for (std::sregex_iterator it(listing.begin(), listing.end(), head), end; it != end; ++it)
    listed.insert((*it)[1]);
  const auto dialogs = dialog_classes();
  ASSERT_FALSE(dialogs.empty());
  EXPECT_EQ(listed, dialogs) << "a dialog class is not registered for listings, or a listed "
                                "dialog has a class name other than its form name";

  // One dialog whole, as its definition has it.
  EXPECT_NE(listing.find("form Routeoptpro \"Route Options\"\n"
                         "  frame Frame5 \"\"\n"
                         "    frame Frame1 \"Route Type\"\n"
                         "      option OptShortest \"Shortest\" = 1\n"
                         "      option OptFirstest \"Fastest\" = 0\n"
                         "    frame Frame3 \"Distance Units\"\n"
                         "      option RadKm \"Kilometers\" = 0\n"
                         "      option RadMi \"Miles\" = 0\n"
                         "  frame Frame2 \"Route Description\"\n"
                         "    option OptYes \"Yes\" = 0\n"
                         "    option OptNo \"No\" = 1\n"
                         "    combo CmbFName = \"\"\n"
                         "  button CmdOk \"&OK\"\n"
                         "  button CmdCancel \"&CANCEL\"\n"),
            std::string::npos)
      << listing;
}

TEST(FormsListing, HelpGoesToStandardOutputWithStatusZero) {
  int status = -1;
  const auto help = gishost_listing("--help 2>/dev/null", status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(help.find("usage: gishost"), std::string::npos);
  EXPECT_NE(help.find("--forms"), std::string::npos);
  gishost_listing("--frob 2>/dev/null", status);
  EXPECT_NE(status, 0);
}

} // namespace
