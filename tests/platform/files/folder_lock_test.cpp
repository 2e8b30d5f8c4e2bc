#include "files/folder_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "common/support/test_folder.h"

namespace files::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Another program holding the folder: this one waits as long as it is told, then goes without;
// once the other lets go (here by ending, however it ends) the lock is taken. Inside one program
// a lock taken within another stands at once.
TEST(FolderLock, TwoProgramsTakeTurnsAndOneProgramNeverWaitsForItself) {
  const fs::path folder = corvane::testing::fresh_test_folder("files");
  int ready[2];
  int finish[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(finish), 0);
  const pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    const char taken = ::flock(descriptor, LOCK_EX) == 0 ? 'y' : 'n';
    (void)!::write(ready[1], &taken, 1);
    char any = 0;
    (void)!::read(finish[0], &any, 1);
    _exit(0);
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  {
    const FolderLock waited(folder, 100ms);
    EXPECT_FALSE(waited.held());
  }
  const char go = 'g';
  ASSERT_EQ(::write(finish[1], &go, 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(other, &status, 0), other);
  {
    const FolderLock outer(folder, 100ms);
    EXPECT_TRUE(outer.held());
    const FolderLock inner(folder, 0ms);
    EXPECT_TRUE(inner.held());
  }
  // Let go when the last one went: another program takes it at once.
  const pid_t after = fork();
  if (after == 0) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    _exit(::flock(descriptor, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
  }
  ASSERT_EQ(waitpid(after, &status, 0), after);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (int end : {ready[0], ready[1], finish[0], finish[1]})
    ::close(end);
  fs::remove_all(folder);
}

} // namespace
} // namespace files::test
