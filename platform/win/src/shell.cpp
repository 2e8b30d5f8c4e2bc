#include "win/shell.h"

#include "shell_sink.h"
#include "win/file_system_object.h"

extern "C" win::InstalledShellSink* corvane_shell_sink() {
  static win::InstalledShellSink instance;
  return &instance;
}

namespace win {
namespace {

constexpr std::intptr_t file_not_found = 2;
constexpr std::intptr_t no_association = 31;
constexpr std::intptr_t opened = 42;

InstalledShellSink& installed() {
  return *corvane_shell_sink();
}

std::string text_or_empty(const char* text) {
  return text ? text : "";
}

} // namespace

void set_shell_sink(ShellSink sink) {
  auto& state = installed();
  const std::scoped_lock lock(state.mutex);
  state.sink = std::move(sink);
}

std::intptr_t ShellExecuteA(void* /*owner_window*/, const char* operation, const char* file,
                            const char* parameters, const char* directory, int show_command) {
  if (!file || !FileSystemObject().FileExists(file))
    return file_not_found;
  ShellSink sink;
  {
    auto& state = installed();
    const std::scoped_lock lock(state.mutex);
    sink = state.sink;
  }
  if (!sink)
    return no_association;
  sink(ShellRequest{text_or_empty(operation), file, text_or_empty(parameters),
                    text_or_empty(directory), show_command});
  return opened;
}

} // namespace win
