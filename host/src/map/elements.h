#pragma once

#include <string>

#include "com/object.h"
#include "host/element.h"
#include "map/rect.h"

namespace host {

// The geometry every element kind keeps; the getter hands out a copy.
template <class... Interfaces>
class ElementBase : public com::ComObject<HostElement, Interfaces...> {
public:
  com::ComPtr<HostGeometry> Geometry() override { return geometry_ ? geometry_->Clone() : nullptr; }
  void SetGeometry(HostGeometry* geometry) override {
    geometry_ = geometry ? geometry->Clone() : nullptr;
  }

private:
  com::ComPtr<HostGeometry> geometry_;
};

class MarkerElement final : public ElementBase<HostMarkerElement> {
public:
  MarkerElement();
  com::ComPtr<HostMarkerSymbol> Symbol() override { return symbol_; }
  void SetSymbol(HostMarkerSymbol* symbol) override;

private:
  com::ComPtr<HostMarkerSymbol> symbol_;
};

class TextElement final : public ElementBase<HostTextElement, HostElementProperties> {
public:
  TextElement();
  std::string Text() override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  com::ComPtr<HostTextSymbol> Symbol() override { return symbol_; }
  void SetSymbol(HostTextSymbol* symbol) override;
  std::string Name() override { return name_set_ ? name_ : text_; }
  void SetName(const std::string& name) override;

private:
  std::string text_;
  std::string name_;
  bool name_set_ = false;
  com::ComPtr<HostTextSymbol> symbol_;
};

// Where an element shows on the map at `resolution` map units per pixel (a symbol point
// being one pixel): markers cover their symbol's square, texts the box of their letters,
// other elements their geometry's envelope. False for an element without geometry.
bool element_extent(HostElement* element, double resolution, MapRect* extent);

} // namespace host
