#pragma once

#include <string_view>

#include "com/unknown.h"
#include "host/color.h"

namespace host {

// Walks the colours of a created ramp, first to last; Next gives null past the end.
struct HostColorEnum : com::IUnknown {
  COM_INTERFACE(HostColorEnum, com::IUnknown, "EC59E1FB-76C6-44A9-87BC-449DB222D1A0")
  virtual void Reset() = 0;
  virtual com::ComPtr<HostColor> Next() = 0;
};

// A ramp of Size colours. CreateRamp computes them and reports success (false for a size
// below 1); Colors walks the computed colours.
struct HostColorRamp : com::IUnknown {
  COM_INTERFACE(HostColorRamp, com::IUnknown, "D93425BB-7628-46F1-865C-D5C2D59A299A")
  virtual int Size() = 0;
  virtual void SetSize(int size) = 0;
  virtual bool CreateRamp() = 0;
  virtual com::ComPtr<HostColorEnum> Colors() = 0;
};

// From one colour to another by linear interpolation in RGB; colour 1 is FromColor and
// colour Size is ToColor. Algorithm 0 is the only one drawn (others interpolate the same way).
struct HostAlgorithmicColorRamp : HostColorRamp {
  COM_INTERFACE(HostAlgorithmicColorRamp, HostColorRamp, "DF10B7C9-3194-4A10-B4A2-452404B601DF")
  virtual int Algorithm() = 0;
  virtual void SetAlgorithm(int code) = 0;
  virtual com::ComPtr<HostColor> FromColor() = 0;
  virtual void SetFromColor(HostColor* color) = 0;
  virtual com::ComPtr<HostColor> ToColor() = 0;
  virtual void SetToColor(HostColor* color) = 0;
};

// Colours drawn at random in HSV within the given ranges (hue 0..360, saturation and value
// 0..100). With UseSeed the same seed and size give the same colours in every run.
struct HostRandomColorRamp : HostColorRamp {
  COM_INTERFACE(HostRandomColorRamp, HostColorRamp, "8289C675-11F4-4DB3-8CE6-606FCC8A59ED")
  virtual int Seed() = 0;
  virtual void SetSeed(int seed) = 0;
  virtual bool UseSeed() = 0;
  virtual void SetUseSeed(bool use) = 0;
  virtual void SetHueRange(int start_hue, int end_hue) = 0;
  virtual void SetSaturationRange(int min_saturation, int max_saturation) = 0;
  virtual void SetValueRange(int min_value, int max_value) = 0;
};

inline constexpr std::string_view AlgorithmicColorRampClass = "esricore.AlgorithmicColorRamp";
inline constexpr std::string_view RandomColorRampClass = "esricore.RandomColorRamp";

} // namespace host
