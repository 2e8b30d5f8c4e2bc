#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"

namespace host {

// A colour as the map draws it. RGB packs red in the low byte (0x00BBGGRR), as the host
// platform stores colours, so a colour read back as a number compares with the platform's.
struct HostColor : com::IUnknown {
  COM_INTERFACE(HostColor, com::IUnknown, "D98CC259-F089-4E48-BCD7-11A81F505DDC")
  virtual std::int32_t RGB() = 0;
  virtual void SetRGB(std::int32_t packed) = 0;
};

struct HostRgbColor : HostColor {
  COM_INTERFACE(HostRgbColor, HostColor, "5592F7B7-769E-428B-94B5-F0E41309238D")
  // Components are 0..255; a value outside is clamped.
  virtual int Red() = 0;
  virtual int Green() = 0;
  virtual int Blue() = 0;
  virtual void SetRed(int value) = 0;
  virtual void SetGreen(int value) = 0;
  virtual void SetBlue(int value) = 0;
};

inline constexpr std::string_view RgbColorClass = "esricore.RgbColor";

} // namespace host
