#pragma once

#include <mutex>

#include "win/shell.h"

namespace win {

// The one sink of the process, whichever module calls ShellExecuteA.
struct InstalledShellSink {
  std::mutex mutex;
  ShellSink sink;
};

} // namespace win

// Every module that links this library carries a copy of the function, exported by name. The
// program exports its copy (see CMakeLists.txt), and a module loaded later binds its calls to
// the program's one, so the add-in's requests reach the sink the host installed.
extern "C" __attribute__((visibility("default"))) win::InstalledShellSink* corvane_shell_sink();
