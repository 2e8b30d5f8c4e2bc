#pragma once

#include "com/unknown.h"
#include "host/renderer.h"

namespace corvane {

// A renderer that draws every feature of a layer as a solid line of one colour, `width` points
// wide; ends the handler when the host cannot make its parts.
com::ComPtr<host::HostSimpleRenderer> solid_line_renderer(int red, int green, int blue,
                                                          double width);

} // namespace corvane
