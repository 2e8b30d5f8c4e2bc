#pragma once

#include <vector>

#include "com/object.h"
#include "host/color_ramp.h"
#include "map/color.h"

namespace host {

// Hands out copies of a ramp's colours as computed at the time the walk was made.
class ColorEnum final : public com::ComObject<HostColorEnum> {
public:
  explicit ColorEnum(std::vector<Rgb> colors) : colors_(std::move(colors)) {}
  void Reset() override { next_ = 0; }
  com::ComPtr<HostColor> Next() override;

private:
  std::vector<Rgb> colors_;
  std::size_t next_ = 0;
};

class AlgorithmicColorRamp final : public com::ComObject<HostAlgorithmicColorRamp> {
public:
  int Size() override { return size_; }
  void SetSize(int size) override { size_ = size; }
  bool CreateRamp() override;
  com::ComPtr<HostColorEnum> Colors() override;
  int Algorithm() override { return algorithm_; }
  void SetAlgorithm(int code) override { algorithm_ = code; }
  com::ComPtr<HostColor> FromColor() override { return make_color(from_); }
  void SetFromColor(HostColor* color) override { from_ = rgb_of(color); }
  com::ComPtr<HostColor> ToColor() override { return make_color(to_); }
  void SetToColor(HostColor* color) override { to_ = rgb_of(color); }

private:
  int size_ = 0;
  int algorithm_ = 0;
  Rgb from_;
  Rgb to_;
  std::vector<Rgb> colors_;
};

class RandomColorRamp final : public com::ComObject<HostRandomColorRamp> {
public:
  int Size() override { return size_; }
  void SetSize(int size) override { size_ = size; }
  bool CreateRamp() override;
  com::ComPtr<HostColorEnum> Colors() override;
  int Seed() override { return seed_; }
  void SetSeed(int seed) override { seed_ = seed; }
  bool UseSeed() override { return use_seed_; }
  void SetUseSeed(bool use) override { use_seed_ = use; }
  void SetHueRange(int start_hue, int end_hue) override;
  void SetSaturationRange(int min_saturation, int max_saturation) override;
  void SetValueRange(int min_value, int max_value) override;

private:
  int size_ = 0;
  int seed_ = 0;
  bool use_seed_ = false;
  int hue_from_ = 0, hue_to_ = 360;
  int saturation_from_ = 0, saturation_to_ = 100;
  int value_from_ = 0, value_to_ = 100;
  std::vector<Rgb> colors_;
};

// HSV (hue 0..360, saturation and value 0..100) to RGB.
Rgb rgb_from_hsv(double hue, double saturation, double value);

} // namespace host
