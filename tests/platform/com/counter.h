#pragma once

#include "com/unknown.h"

// The interface of the test module's class; the tests see only this, never the module's code.
struct ICounter : com::IUnknown {
  COM_INTERFACE(ICounter, com::IUnknown, "6C0A1F52-3B7E-4C1D-9E55-0F1A2B3C4D01")
  static constexpr std::string_view interface_members = "Increment(); Value: long";

  virtual void Increment() = 0;
  virtual long Value() = 0;
};
