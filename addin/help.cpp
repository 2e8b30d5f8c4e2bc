#include "addin/help.h"

#include <string>

#include "command/app_path.h"
#include "common/show_message.h"
#include "network/state/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"
#include "win/shell.h"

namespace corvane {

Help::Help()
    : CommandBase({.Caption = "Help",
                   .Name = "Help",
                   .Tooltip = "Help",
                   .Message = "Help",
                   .BitmapId = 7057},
                  KeepOnCreate::Nothing) {}

void Help::click() {
  open_help_file(AppPath());
}

void open_help_file(std::string_view addin_folder) {
  constexpr int show_maximized = 3;
  const std::string folder(addin_folder);
  const std::string path = folder + "\\CVhelp\\corvane.chm";
  if (!win::FileSystemObject().FileExists(path)) {
    // The user looks for the file on this machine, so it is named as this machine writes paths.
    show_message("(" + win::native_path(path) + ") File not found", "File Not Found",
                 forms::Icon::Exclamation);
    return;
  }
  win::ShellExecuteA(nullptr, "open", path.c_str(), "", folder.c_str(), show_maximized);
}

} // namespace corvane
