#pragma once

#include "com/unknown.h"
#include "host/color.h"

namespace corvane {

// A new host colour from its red, green and blue parts; ends the handler when the host cannot
// make one.
com::ComPtr<host::HostRgbColor> rgb_colour(int red, int green, int blue);

} // namespace corvane
