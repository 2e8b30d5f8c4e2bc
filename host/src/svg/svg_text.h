#pragma once

#include <string>
#include <string_view>

#include "map/color.h"

namespace host::svg {

// Text made safe for XML content and attribute values.
std::string escape(std::string_view text);
// "#rrggbb".
std::string color_text(const Rgb& color);
// A pixel coordinate with one decimal, appended without a locale.
void append_number(std::string& out, double value);
std::string number_text(double value);

} // namespace host::svg
