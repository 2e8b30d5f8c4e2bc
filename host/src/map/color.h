#pragma once

#include <cstdint>

#include "com/object.h"
#include "host/color.h"

namespace host {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class RgbColor final : public com::ComObject<HostRgbColor> {
public:
  explicit RgbColor(Rgb value = {}) : value_(value) {}

  std::int32_t RGB() override;
  void SetRGB(std::int32_t packed) override;
  int Red() override { return value_.red; }
  int Green() override { return value_.green; }
  int Blue() override { return value_.blue; }
  void SetRed(int value) override;
  void SetGreen(int value) override;
  void SetBlue(int value) override;

private:
  Rgb value_;
};

com::ComPtr<HostColor> make_color(Rgb value);
// The colour's components; black for a null colour.
Rgb rgb_of(HostColor* color);

} // namespace host
