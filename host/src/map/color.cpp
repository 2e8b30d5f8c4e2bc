#include "map/color.h"

#include <algorithm>

namespace host {
namespace {
int clamp_component(int value) {
  return std::clamp(value, 0, 255);
}
} // namespace

std::int32_t RgbColor::RGB() {
  return value_.red | (value_.green << 8) | (value_.blue << 16);
}

void RgbColor::SetRGB(std::int32_t packed) {
  value_ = {packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF};
}

void RgbColor::SetRed(int value) {
  value_.red = clamp_component(value);
}
void RgbColor::SetGreen(int value) {
  value_.green = clamp_component(value);
}
void RgbColor::SetBlue(int value) {
  value_.blue = clamp_component(value);
}

com::ComPtr<HostColor> make_color(Rgb value) {
  return com::make<RgbColor>(
      Rgb{clamp_component(value.red), clamp_component(value.green), clamp_component(value.blue)});
}

Rgb rgb_of(HostColor* color) {
  if (!color)
    return {};
  const auto packed = color->RGB();
  return {packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF};
}

} // namespace host
