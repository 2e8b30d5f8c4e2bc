#pragma once

#include <cstdint>

#include "com/unknown.h"

namespace tamix {

// The progress events of a network object. They are called on the thread that made the engine
// call (CreateNetwork, LoadNetwork, CreateAttributeFile), before that call returns, with the
// percentage done (0..100); a call that succeeds ends with 100.
struct NetBaseEvents : com::IUnknown {
  COM_INTERFACE(NetBaseEvents, com::IUnknown, "3716F101-5390-4EA6-A2AD-3724DF4AD651")
  virtual void OnNWCreateProgress(std::uint8_t percent) = 0;
  virtual void OnNWLoadProgress(std::uint8_t percent) = 0;
  virtual void OnAttributeCreateProgress(std::uint8_t percent) = 0;
};

} // namespace tamix
