#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "host/application.h"
#include "host/command.h"
#include "host/command_bar.h"

namespace host::session {

// The add-ins' menus, toolbars, commands and tools as the host holds them. The bars are the
// registered classes of the command-bars category; each command or tool they list is created
// once per ProgID and handed the application through OnCreate. A command that no bar lists is
// created the same way the first time a session uses it.
class CommandBars {
public:
  explicit CommandBars(com::ComPtr<HostApplication> application)
      : application_(std::move(application)) {}

  // Creates the bars and the commands they list. Returns the problems met (a class that cannot
  // be created, an item that cannot be read); the rest is loaded all the same.
  std::vector<std::string> load();

  // The command of that ProgID (any letter case), created on first use; throws SessionError when
  // the class is not registered, cannot be created, is no command or fails OnCreate.
  com::ComPtr<ICommand> command(std::string_view prog_id);

  // What the host does while it idles between the user's actions: it asks Enabled of every
  // command and tool on its toolbars, to draw them enabled or grey. Answers and failures are
  // not shown; the commands may update their state meanwhile, as they do on the platform.
  void idle();

  // The menus and toolbars with their items, as the user sees them, one line each.
  std::vector<std::string> describe();

private:
  struct Item {
    std::string prog_id;
    bool group = false;
  };
  struct Bar {
    std::string prog_id;
    com::ComPtr<com::IUnknown> object;
  };
  std::vector<Item> items_of(com::IUnknown* bar);
  void describe_items(const std::string& prog_id, int depth, std::vector<std::string>& lines,
                      std::vector<std::string>& open);
  com::ComPtr<com::IUnknown> bar(std::string_view prog_id);

  com::ComPtr<HostApplication> application_;
  std::vector<Bar> bars_;
  std::map<std::string, com::ComPtr<ICommand>> commands_;
};

// A bar's name and caption: IMenuDef or IToolBarDef; false for an object that is neither.
bool bar_texts(com::IUnknown* bar, std::string& caption, bool& is_toolbar);

} // namespace host::session
