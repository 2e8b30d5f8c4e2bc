#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace host::session {

// A text in double quotes as the transcript writes it: `"` -> `\"`, `\` -> `\\`, a line
// break -> `\n` (and a carriage return -> `\r`), so that every entry stays on one line.
std::string quote(std::string_view text);

// The reverse, for session arguments written in double quotes; false when `text` is not one
// quoted text with known escapes.
bool unquote(std::string_view text, std::string& out);

// The valid choices an error about an unknown one lists: "a, b, c".
std::string comma_separated(const std::vector<std::string>& names);

// The names a slip of the keyboard may have meant by `typed`, for an error about a name that is
// none of a long list: those the fewest edits away (a letter added, dropped, changed, or two
// neighbours swapped; letter case ignored), when that is at most a quarter of what was typed.
// Empty when no name is that near. "Corvane.CreateNetwrok" gives "Corvane.CreateNetwork".
std::vector<std::string> nearest_names(std::string_view typed,
                                       const std::vector<std::string>& names);

// What the user would see, one line per thing, on the program's standard output. Errors go
// to the transcript and, when an error stream is given, to it as well, so a person running a
// session sees them even when the transcript goes to a file.
class Transcript {
public:
  explicit Transcript(std::ostream& out, std::ostream* errors = nullptr)
      : out_(out), errors_(errors) {}
  void line(std::string_view text);
  void error(std::string_view text);

private:
  std::ostream& out_;
  std::ostream* errors_;
};

} // namespace host::session
