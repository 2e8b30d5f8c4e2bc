#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "files/folder_lock.h"
#include "files/replace_file.h"
#include "maintenance_fixture.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using files::testing::Step;
using testing::A;
using testing::B;
using testing::C;
using testing::D;
using testing::XY;

// One end of a pipe between the two programs.
class Pipe {
public:
  Pipe() { EXPECT_EQ(::pipe(ends_), 0); }
  ~Pipe() {
    for (const int end : ends_)
      ::close(end);
  }
  void send(const std::string& text) const {
    const std::string framed = text + '\0';
    EXPECT_EQ(::write(ends_[1], framed.data(), framed.size()), ssize_t(framed.size()));
  }
  std::string receive() const {
    std::string text;
    for (char c = 0; ::read(ends_[0], &c, 1) == 1 && c != '\0';)
      text += c;
    return text;
  }

private:
  int ends_[2] = {-1, -1};
};

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines)
    text += (text.empty() ? "" : "\n") + line;
  return text;
}

// Two programs in one network folder: this test program, and another forked from it with the
// same map, which is a program of its own from then on (its own state, its own turn in the
// folder). The other goes first and, once it is inside its work (holding the folder, at a
// replacement step of `pause_at`), lets this one start and lingers a moment, so that this one
// comes upon a folder in use.
class TwoPrograms : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    build();
    close_link_ = command("Corvane.CloseLink");
    ASSERT_TRUE(select(close_link_));
    click(close_link_, along(A, B, 0.5));
    ASSERT_EQ(closed_links(), std::vector<std::int32_t>{1});
    take_messages();
  }

  struct Program {
    std::function<void()> work;
    std::string pause_at; // the file before whose first replacement step the other may start
  };

  // Runs `first` in the other program and `second` here once the other is inside its work;
  // returns what the other program was told.
  std::string run_together(const Program& first, const std::function<void()>& second) {
    const Pipe go;
    const Pipe told;
    const pid_t other = fork();
    if (other == 0) {
      bool paused = false;
      files::testing::before_step = [&](Step step, const fs::path& target) {
        if (paused || step == Step::sync || target.filename() != first.pause_at)
          return;
        paused = true;
        go.send("go");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
      };
      take_messages();
      first.work();
      files::testing::before_step = nullptr;
      told.send((paused ? "" : "never paused\n") + joined(take_messages()));
      _exit(0);
    }
    EXPECT_EQ(go.receive(), "go");
    second();
    const auto other_told = told.receive();
    int status = 0;
    EXPECT_EQ(waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return other_told;
  }

  // Runs `meanwhile` here while the other program holds the folder and does nothing else.
  void while_the_other_holds_the_folder(const std::function<void()>& meanwhile) {
    const Pipe held;
    const Pipe done;
    const pid_t other = fork();
    if (other == 0) {
      const files::FolderLock lock(path(), std::chrono::seconds(1));
      held.send(lock.held() ? "held" : "not held");
      done.receive();
      _exit(0);
    }
    ASSERT_EQ(held.receive(), "held");
    meanwhile();
    done.send("done");
    int status = 0;
    EXPECT_EQ(waitpid(other, &status, 0), other);
  }

  // A program just started that opens the folder's network: it knows no folder yet.
  void open_as_new_program() {
    auto& state = shared_state();
    state.gNetworkFolder.clear();
    state.gNetworkState = NetworkClosed;
    ASSERT_EQ(create_->OnClick(), com::S_OK);
  }

  void close_road(XY at) { click(close_link_, at); }

  static std::vector<std::int32_t> closed_links() {
    const auto& state = shared_state();
    std::vector<std::int32_t> links;
    for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
      links.push_back(state.gClosedLinks[row]);
    return links;
  }
  std::string stored_closures() const {
    std::string text = ini_value(settings::ClosedRoads, settings::Total);
    for (std::int32_t row = 1;
         row <= settings::read_number(ini(), settings::ClosedRoads, settings::Total); ++row)
      text += " " + ini_value(settings::ClosedRoads, settings::link_row_key(row));
    return text;
  }

  com::ComPtr<host::ICommand> close_link_;
};

// Each interleaving of two programs in one folder: the second waits for the first's turn, so
// that what either saved is in force afterwards, and neither is told a false reason.
TEST_F(TwoPrograms, TakeTurnsSoThatNeitherLosesWhatTheOtherSaved) {
  const std::string created = "Network created successfully";
  const std::string loaded = "Network loaded successfully";
  const struct {
    const char* name;
    std::function<void()> before; // the folder as both programs find it
    Program first;                // the other program's work
    std::function<void()> second; // this program's work
    std::string other_told, told;
    std::vector<std::int32_t> closures; // in force here afterwards, as stored
  } cases[] = {
      {"one closes a road while the other, new, rebuilds",
       [] {},
       {[&] { close_road(along(B, C, 0.5)); }, "Corvane.ini"},
       [&] {
         fs::remove(path("node.bin"));
         open_as_new_program();
       },
       "",
       created,
       {1, 2}},
      {"one, new, rebuilds while the other closes a road",
       [&] { fs::remove(path("node.bin")); },
       {[&] { open_as_new_program(); }, "Corvane.ini"},
       [&] { close_road(along(B, C, 0.5)); },
       created,
       "",
       {1, 2}},
      {"both, new, rebuild",
       [&] { fs::remove(path("node.bin")); },
       {[&] { open_as_new_program(); }, "link.spd"},
       [&] { open_as_new_program(); },
       created,
       loaded,
       {1}},
      {"one runs IsoPoly while the other closes a road",
       [] {},
       {[&] {
          const auto tool = command("Corvane.IsoPoly");
          ASSERT_TRUE(select(tool));
          click(tool, A);
        },
        "IsoPoly.shp"},
       [&] { close_road(along(B, C, 0.5)); },
       "",
       "",
       {1, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    const auto other_told = run_together(c.first, c.second);
    EXPECT_EQ(other_told, c.other_told);
    EXPECT_EQ(joined(take_messages()), c.told);
    EXPECT_EQ(closed_links(), c.closures);
    std::string stored = std::to_string(c.closures.size());
    for (const auto link : c.closures)
      stored += " " + std::to_string(link);
    EXPECT_EQ(stored_closures(), stored);
    for (const auto& entry : fs::directory_iterator(path()))
      EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    // The next case starts from the one closure again.
    ASSERT_EQ(close_->OnClick(), com::S_OK);
    settings::Changes changes;
    settings::replace_closed_links(changes, {1});
    ASSERT_TRUE(settings::commit(ini(), changes));
    ASSERT_EQ(create_->OnClick(), com::S_OK);
    take_messages();
    ASSERT_EQ(closed_links(), std::vector<std::int32_t>{1});
  }
}

// Whether a command is enabled is answered from the state in memory: while the other program
// holds the folder, the answer comes without a word of the other program.
TEST_F(TwoPrograms, EnabledNeverWaitsForTheOtherProgram) {
  const auto iso_poly = command("Corvane.IsoPoly");
  while_the_other_holds_the_folder([&] {
    for (const auto& asked : {close_link_, iso_poly, close_}) {
      bool enabled = false;
      EXPECT_EQ(asked->Enabled(&enabled), com::S_OK);
      EXPECT_TRUE(enabled);
    }
    EXPECT_EQ(take_messages(), std::vector<std::string>{});
  });
}

// A new program's opening that the other program keeps out of the folder longer than the lock's
// time is refused with the reason, before it has read or written anything there.
TEST_F(TwoPrograms, AnOpeningKeptOutOfTheFolderIsRefusedBeforeItReadsAnything) {
  while_the_other_holds_the_folder([&] {
    fs::remove(path("node.bin"));
    const auto ini_before = ini_text();
    open_as_new_program();
    EXPECT_EQ(take_messages(),
              std::vector<std::string>{"Another program is working in the network "
                                       "folder " +
                                       path() + "; wait for it to finish, then try again."});
    EXPECT_EQ(ini_text(), ini_before);
    EXPECT_FALSE(fs::exists(path("node.bin")));
    EXPECT_FALSE(fs::exists(path("Corvane.ini.building")));
  });
}

} // namespace
} // namespace corvane
