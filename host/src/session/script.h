#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace host::session {

// One action line of a session, with its line number in the file (comments and blank lines
// are skipped; `#` starts a comment only at the start of a line, as "#2" selects a list item).
struct ScriptLine {
  int number = 0;
  std::string text;
};

std::vector<ScriptLine> read_script(std::istream& in);

// A line taken apart: words split at blanks; a word in double quotes may hold blanks and the
// transcript's escapes.
class Words {
public:
  explicit Words(std::string_view text) : text_(text) {}
  // The next word, or nullopt at the end of the line. Sets `error` for an unfinished quote.
  std::optional<std::string> next();
  // The rest of the line as one text (unquoted when it is one quoted text); empty at the end.
  std::string rest();
  bool at_end();
  const std::string& error() const { return error_; }

private:
  void skip_blanks();
  std::string text_;
  std::size_t at_ = 0;
  std::string error_;
};

} // namespace host::session
