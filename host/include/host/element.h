#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/symbol.h"

namespace host {

// A graphic of the map's graphics layer, placed at a geometry in map coordinates.
// The geometry getter hands out a copy.
struct HostElement : com::IUnknown {
  COM_INTERFACE(HostElement, com::IUnknown, "0CC289C3-DCBD-4F75-A20D-D213E6AA1ADA")
  virtual com::ComPtr<HostGeometry> Geometry() = 0;
  virtual void SetGeometry(HostGeometry* geometry) = 0;
};

// The name tag of an element; "" until one is set. Text elements answer their text until a
// name is set, so a label is found again by its text. Text elements carry a name tag; marker
// elements do not (they are found again by their place).
struct HostElementProperties : com::IUnknown {
  COM_INTERFACE(HostElementProperties, com::IUnknown, "44A49AA5-3F80-417A-B2A4-EC625B812A24")
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
};

struct HostMarkerElement : com::IUnknown {
  COM_INTERFACE(HostMarkerElement, com::IUnknown, "B4FBE9B1-3831-434E-A8C8-2CB9B9A55DC7")
  virtual com::ComPtr<HostMarkerSymbol> Symbol() = 0;
  virtual void SetSymbol(HostMarkerSymbol* symbol) = 0;
};

struct HostTextElement : com::IUnknown {
  COM_INTERFACE(HostTextElement, com::IUnknown, "8777E2F5-A6AD-4801-900F-58F0D40C18E7")
  virtual std::string Text() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual com::ComPtr<HostTextSymbol> Symbol() = 0;
  virtual void SetSymbol(HostTextSymbol* symbol) = 0;
};

// Every element class is a HostElement too.
inline constexpr std::string_view MarkerElementClass = "esricore.MarkerElement";
inline constexpr std::string_view TextElementClass = "esricore.TextElement";

} // namespace host
