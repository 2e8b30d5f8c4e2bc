#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Opening a document with its program. There is no desktop here: the request goes to a
// sink that the host installs (it reports it), and the call answers as the platform does.
namespace win {

// The arguments of one ShellExecuteA call, as given.
struct ShellRequest {
  std::string operation;
  std::string file;
  std::string parameters;
  std::string directory;
  int show_command = 0;
};

using ShellSink = std::function<void(const ShellRequest&)>;

// Installs the sink (an empty one removes it).
void set_shell_sink(ShellSink sink);

// Hands the request to the sink. Returns a value above 32 on success, or the platform's
// error values: 2 when the file does not exist, 31 when no sink is installed (nothing is
// associated with the file). The owner window is not used.
std::intptr_t ShellExecuteA(void* owner_window, const char* operation, const char* file,
                            const char* parameters, const char* directory, int show_command);

} // namespace win
