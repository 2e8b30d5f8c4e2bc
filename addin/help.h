#pragma once

#include <string_view>

#include "command/command_base.h"

namespace corvane {

// Opens the help file "CVhelp\corvane.chm" of the add-in's folder. Always enabled.
class Help final : public CommandBase<> {
public:
  Help();

protected:
  bool enabled() override { return true; }
  void click() override;
};

// Help's work for the add-in folder given: asks the shell to open the help file maximised, or
// tells the user that it is missing.
void open_help_file(std::string_view addin_folder);

} // namespace corvane
