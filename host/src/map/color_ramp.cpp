#include "map/color_ramp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace host {
namespace {

int lerp(int from, int to, double t) {
  return static_cast<int>(std::lround(from + (to - from) * t));
}

// splitmix64: small, fixed and the same on every platform, so a seeded ramp gives the same
// colours everywhere (std::uniform_*_distribution is not specified bit for bit).
class SeededSequence {
public:
  explicit SeededSequence(std::uint64_t seed) : state_(seed) {}
  // Uniform in [0, 1).
  double next_unit() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 53);
  }
  double between(int low, int high) { return low + (high - low) * next_unit(); }

private:
  std::uint64_t state_;
};

} // namespace

com::ComPtr<HostColor> ColorEnum::Next() {
  if (next_ >= colors_.size())
    return nullptr;
  return make_color(colors_[next_++]);
}

bool AlgorithmicColorRamp::CreateRamp() {
  colors_.clear();
  if (size_ < 1)
    return false;
  for (int i = 0; i < size_; ++i) {
    const double t = size_ == 1 ? 0.0 : static_cast<double>(i) / (size_ - 1);
    colors_.push_back({lerp(from_.red, to_.red, t), lerp(from_.green, to_.green, t),
                       lerp(from_.blue, to_.blue, t)});
  }
  return true;
}

com::ComPtr<HostColorEnum> AlgorithmicColorRamp::Colors() {
  return com::make<ColorEnum>(colors_);
}

void RandomColorRamp::SetHueRange(int start_hue, int end_hue) {
  hue_from_ = start_hue;
  hue_to_ = end_hue;
}

void RandomColorRamp::SetSaturationRange(int min_saturation, int max_saturation) {
  saturation_from_ = min_saturation;
  saturation_to_ = max_saturation;
}

void RandomColorRamp::SetValueRange(int min_value, int max_value) {
  value_from_ = min_value;
  value_to_ = max_value;
}

bool RandomColorRamp::CreateRamp() {
  colors_.clear();
  if (size_ < 1)
    return false;
  const auto seed = use_seed_ ? static_cast<std::uint64_t>(seed_) : std::random_device{}();
  SeededSequence sequence(seed);
  for (int i = 0; i < size_; ++i) {
    const double hue = sequence.between(hue_from_, hue_to_);
    const double saturation = sequence.between(saturation_from_, saturation_to_);
    const double value = sequence.between(value_from_, value_to_);
    colors_.push_back(rgb_from_hsv(hue, saturation, value));
  }
  return true;
}

com::ComPtr<HostColorEnum> RandomColorRamp::Colors() {
  return com::make<ColorEnum>(colors_);
}

Rgb rgb_from_hsv(double hue, double saturation, double value) {
  const double s = std::clamp(saturation, 0.0, 100.0) / 100.0;
  const double v = std::clamp(value, 0.0, 100.0) / 100.0;
  const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
  const double chroma = v * s;
  const double x = chroma * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
  case 0:
    r = chroma, g = x;
    break;
  case 1:
    r = x, g = chroma;
    break;
  case 2:
    g = chroma, b = x;
    break;
  case 3:
    g = x, b = chroma;
    break;
  case 4:
    r = x, b = chroma;
    break;
  default:
    r = chroma, b = x;
    break;
  }
  const double m = v - chroma;
  auto component = [m](double c) { return static_cast<int>(std::lround((c + m) * 255)); };
  return {component(r), component(g), component(b)};
}

} // namespace host
