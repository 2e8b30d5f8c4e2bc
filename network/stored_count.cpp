#include "network/stored_count.h"

#include <string>

#include "com/numbers.h"
#include "common/show_message.h"
#include "common/trim_blanks.h"
#include "win/num_text.h"

namespace corvane {

void WarnAboutSettings(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view what) {
  show_message(std::string(file) + ": [" + std::string(section) + "] \"" + std::string(key) +
                   "\" " + std::string(what),
               "Network Settings", forms::Icon::Exclamation);
}

std::int32_t EntriesToRead(std::string_view file, std::string_view section, std::string_view key,
                           double stored, std::int32_t capacity) {
  const double count = com::round_half_even(stored);
  if (count >= 0 && count <= capacity)
    return static_cast<std::int32_t>(count);
  const std::string said = "gives " + trim_blanks(win::NumText(stored)) + " entries";
  if (count < 0) {
    WarnAboutSettings(file, section, key, said + "; none are read.");
    return 0;
  }
  WarnAboutSettings(file, section, key,
                    said + ", more than the " + std::to_string(capacity) +
                        " that can be kept; the first " + std::to_string(capacity) +
                        " are read and the others ignored.");
  return capacity;
}

} // namespace corvane
