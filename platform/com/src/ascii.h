#pragma once

#include <string_view>

#include <strings.h>

namespace com::detail {

// Names the platform compares without regard to letter case (ProgIDs, "True").
inline bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace com::detail
