#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace host::session {

// A text in double quotes as the transcript writes it: `"` -> `\"`, `\` -> `\\`, a line
// break -> `\n` (and a carriage return -> `\r`), so that every entry stays on one line.
std::string quote(std::string_view text);

// The reverse, for session arguments written in double quotes; false when `text` is not one
// quoted text with known escapes.
bool unquote(std::string_view text, std::string& out);

// What the user would see, one line per thing, on the program's standard output.
class Transcript {
public:
  explicit Transcript(std::ostream& out) : out_(out) {}
  void line(std::string_view text);

private:
  std::ostream& out_;
};

} // namespace host::session
