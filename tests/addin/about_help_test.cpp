#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "addin/help.h"
#include "command/app_path.h"
#include "forms/testing/scripted_user.h"
#include "module_command.h"
#include "network/state/shared_state.h"
#include "support/test_folder.h"
#include "win/shell.h"

namespace corvane {
namespace {

// A registry of this test's own, holding only what the test registers.
class ScopedRegistry {
public:
  ScopedRegistry() : folder_(testing::fresh_test_folder("registry")) {
    if (const char* old = std::getenv("CORVANE_REGISTRY"))
      old_ = old;
    ::setenv("CORVANE_REGISTRY", (folder_ / "registry").c_str(), 1);
  }
  ~ScopedRegistry() {
    if (old_)
      ::setenv("CORVANE_REGISTRY", old_->c_str(), 1);
    else
      ::unsetenv("CORVANE_REGISTRY");
    std::filesystem::remove_all(folder_);
  }

private:
  std::filesystem::path folder_;
  std::optional<std::string> old_;
};

// Records what the add-in asks the shell to open.
class ScopedShell {
public:
  ScopedShell() {
    win::set_shell_sink([this](const win::ShellRequest& r) { requests.push_back(r); });
  }
  ~ScopedShell() { win::set_shell_sink({}); }
  std::vector<win::ShellRequest> requests;
};

TEST(About, ShowsTheAboutBoxOfAnEnginePairOfItsOwn) {
  reset_shared_state();
  forms::testing::ScopedUser user;
  const auto about = make_command("Corvane.About");
  ASSERT_EQ(about->OnClick(), com::S_OK);
  ASSERT_EQ(user->messages.size(), 1u);
  EXPECT_NE(user->messages[0].text.find("tamix"), std::string::npos) << user->messages[0].text;
  EXPECT_EQ(user->messages[0].icon, forms::Icon::Information);
  EXPECT_FALSE(shared_state().gNetBase) << "the shared engine objects are not touched";
  EXPECT_FALSE(shared_state().gNetCalc);
}

TEST(About, WithoutTheEngineTheFailureGoesToTheHost) {
  ScopedRegistry registry;
  forms::testing::ScopedUser user;
  const auto about = make_command("Corvane.About");
  EXPECT_EQ(about->OnClick(), com::REGDB_E_CLASSNOTREG);
  EXPECT_TRUE(user->messages.empty());
}

TEST(Help, OpensTheHelpFileMaximisedThroughTheShell) {
  forms::testing::ScopedUser user;
  ScopedShell shell;
  const auto folder = testing::fresh_test_folder("help");
  std::filesystem::create_directories(folder / "CVhelp");
  std::ofstream(folder / "CVhelp" / "corvane.chm") << "<html></html>";

  open_help_file(folder.string());
  EXPECT_TRUE(user->messages.empty());
  ASSERT_EQ(shell.requests.size(), 1u);
  const auto& request = shell.requests[0];
  EXPECT_EQ(request.operation, "open");
  EXPECT_EQ(request.file, folder.string() + "\\CVhelp\\corvane.chm");
  EXPECT_EQ(request.parameters, "");
  EXPECT_EQ(request.directory, folder.string());
  EXPECT_EQ(request.show_command, 3);
  std::filesystem::remove_all(folder);
}

TEST(Help, AMissingHelpFileIsNamedInTheMessage) {
  forms::testing::ScopedUser user;
  ScopedShell shell;
  const auto folder = testing::fresh_test_folder("nohelp");

  open_help_file(folder.string());
  EXPECT_TRUE(shell.requests.empty());
  ASSERT_EQ(user->messages.size(), 1u);
  EXPECT_EQ(user->messages[0].text,
            "(" + (folder / "CVhelp" / "corvane.chm").string() + ") File not found");
  EXPECT_EQ(user->messages[0].title, "File Not Found");
  EXPECT_EQ(user->messages[0].icon, forms::Icon::Exclamation);
  EXPECT_EQ(user->messages[0].buttons, forms::Buttons::OKOnly);
  std::filesystem::remove_all(folder);
}

TEST(Help, TheCommandOpensTheInstalledHelp) {
  forms::testing::ScopedUser user;
  ScopedShell shell;
  const auto help = make_command("Corvane.Help");
  ASSERT_EQ(help->OnClick(), com::S_OK);
  EXPECT_TRUE(user->messages.empty());
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].directory, AppPath());
}

} // namespace
} // namespace corvane
