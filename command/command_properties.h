#pragma once

#include <string_view>

namespace corvane {

// The fixed texts and the bitmap of one command or tool, as the host shows them.
struct CommandProperties {
  std::string_view Caption;
  std::string_view Name;
  std::string_view Tooltip;
  std::string_view Message;
  int BitmapId = 0;
};

// Every command of the add-in is listed under this category.
inline constexpr std::string_view CommandCategory = "Corvane";

} // namespace corvane
