#include "common/rgb_colour.h"

#include "network/state/handler_end.h"

namespace corvane {

com::ComPtr<host::HostRgbColor> rgb_colour(int red, int green, int blue) {
  const auto colour = create<host::HostRgbColor>(host::RgbColorClass);
  colour->SetRed(red);
  colour->SetGreen(green);
  colour->SetBlue(blue);
  return colour;
}

} // namespace corvane
