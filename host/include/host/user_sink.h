#pragma once

#include <string>

namespace host {

// Where the host shows the user what its map services produce, and learns the user's keys.
// The session runner implements it (its transcript); tests record into it.
class HostUserSink {
public:
  virtual ~HostUserSink() = default;
  // The status bar's message pane changed.
  virtual void status(const std::string& text) = 0;
  // A table window opened on the layer or table of that name.
  virtual void table_window(const std::string& name) = 0;
  // True once for each Esc the user pressed since the last call.
  virtual bool take_escape() = 0;
};

} // namespace host
