#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "com/module.h"
#include "host/command.h"

// A new command of the add-in by its ProgID (any letter case), made as the module's class
// factory makes it; null when there is no such class.
inline com::ComPtr<host::ICommand> make_command(std::string_view prog_id) {
  const auto lower = [](std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
  };
  for (const auto& c : com::module_classes()) {
    if (lower(c.prog_id) != lower(prog_id))
      continue;
    com::ComPtr<host::ICommand> command;
    c.create(host::ICommand::iid, command.put_void());
    return command;
  }
  return nullptr;
}

inline bool enabled(const com::ComPtr<host::ICommand>& command) {
  bool answer = false;
  EXPECT_EQ(command->Enabled(&answer), com::S_OK);
  return answer;
}
