// The session script parser on any text: the lines of a session, the words of each line and
// the quoted texts among them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "session/script.h"
#include "session/transcript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  for (const auto& line : host::session::read_script(in)) {
    host::session::Words words(line.text);
    while (const auto word = words.next()) {
      // A quoted text the transcript writes reads back as it was.
      std::string back;
      if (!host::session::unquote(host::session::quote(*word), back) || back != *word)
        std::abort();
    }
    host::session::Words(line.text).rest();
  }
  return 0;
}
