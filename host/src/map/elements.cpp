#include "map/elements.h"

#include "map/symbols.h"

namespace host {
namespace {

// Letters are drawn about 0.6 of the font size wide; the estimate only has to make a label
// findable where it shows.
constexpr double letter_width = 0.6;

std::size_t letter_count(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80)
      ++n;
  return n;
}

MapRect text_rect(double x, double y, double width, double height, int horizontal, int vertical) {
  const double left = horizontal == 0 ? x : horizontal == 2 ? x - width : x - width / 2;
  const double bottom = vertical == 0 ? y - height : vertical == 1 ? y - height / 2 : y;
  return {left, bottom, left + width, bottom + height};
}

} // namespace

MarkerElement::MarkerElement() : symbol_(com::make<SimpleMarkerSymbol>()) {}

void MarkerElement::SetSymbol(HostMarkerSymbol* symbol) {
  if (symbol)
    symbol_ = com::ComPtr<HostMarkerSymbol>(symbol);
}

TextElement::TextElement() : symbol_(com::make<TextSymbol>()) {}

void TextElement::SetSymbol(HostTextSymbol* symbol) {
  if (symbol)
    symbol_ = com::ComPtr<HostTextSymbol>(symbol);
}

void TextElement::SetName(const std::string& name) {
  name_ = name;
  name_set_ = true;
}

bool element_extent(HostElement* element, double resolution, MapRect* extent) {
  const auto geometry = element->Geometry();
  if (!geometry || geometry->IsEmpty())
    return false;
  const auto point = geometry.as<HostPoint>();
  const com::ComPtr<HostElement> self(element);
  if (point) {
    const double x = point->X();
    const double y = point->Y();
    if (const auto marker = self.as<HostMarkerElement>()) {
      const auto symbol = marker->Symbol();
      const double half = symbol->Size() / 2 * resolution;
      const double cx = x + symbol->XOffset() * resolution;
      const double cy = y + symbol->YOffset() * resolution;
      *extent = {cx - half, cy - half, cx + half, cy + half};
      return true;
    }
    if (const auto text = self.as<HostTextElement>()) {
      const auto symbol = text->Symbol();
      const double height = symbol->Size() * resolution;
      const double width = letter_width * height * static_cast<double>(letter_count(text->Text()));
      *extent = text_rect(x, y, width, height, symbol->HorizontalAlignment(),
                          symbol->VerticalAlignment());
      return true;
    }
    *extent = {x, y, x, y};
    return true;
  }
  const auto envelope = geometry->Envelope();
  *extent = {envelope->XMin(), envelope->YMin(), envelope->XMax(), envelope->YMax()};
  return true;
}

} // namespace host
