#include "routing/route_markers.h"

#include <algorithm>
#include <string>

#include "com/create.h"
#include "common/handler_end.h"
#include "common/rgb_colour.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/symbol.h"

namespace corvane {

namespace {

com::ComPtr<host::HostTextSymbol> label_symbol() {
  const auto colour = rgb_colour(0, 0, 255);
  const auto font = create<host::StdFont>(host::StdFontClass);
  font->SetBold(true);
  font->SetSize(10);
  const auto symbol = create<host::HostTextSymbol>(host::TextSymbolClass);
  symbol->SetColor(colour.get());
  symbol->SetFont(font.get());
  symbol->SetSize(10);
  return symbol;
}

// A stop number as the labels write it: decimal digits without a leading zero.
bool is_stop_number(const std::string& text, std::int32_t highest_number) {
  if (text.empty() || text.size() > 9 || text.front() == '0')
    return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  return text == "1" || std::stoi(text) <= highest_number;
}

bool is_stop_label(const std::string& text, std::int32_t highest_number) {
  return text == "Start" || text == "End" || is_stop_number(text, highest_number);
}

template <class Chosen> void delete_labels(host::HostMap* map, Chosen chosen) {
  const auto graphics =
      require_as<host::HostGraphicsContainer>(com::ComPtr<host::HostMap>(map), "graphics");
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next()) {
    const auto label = element.as<host::HostTextElement>();
    if (label && chosen(label->Text()))
      check_call(graphics->DeleteElement(element.get()), "DeleteElement");
  }
}

} // namespace

void AddStopLabel(host::HostMap* map, host::HostPoint* point, std::string_view text) {
  const auto label = create<host::HostTextElement>(host::TextElementClass);
  label->SetText(std::string(text));
  label->SetSymbol(label_symbol().get());
  const auto element = require_as<host::HostElement>(label, "TextElement");
  element->SetGeometry(point);
  const auto graphics =
      require_as<host::HostGraphicsContainer>(com::ComPtr<host::HostMap>(map), "graphics");
  check_call(graphics->AddElement(element.get(), 0), "AddElement");
}

void ClearStopLabels(host::HostMap* map, std::int32_t route_stops, std::int32_t multi_stops) {
  const auto highest = std::max(route_stops, multi_stops);
  delete_labels(map, [highest](const std::string& text) { return is_stop_label(text, highest); });
}

void ClearStartEndLabels(host::HostMap* map) {
  delete_labels(map, [](const std::string& text) { return text == "Start" || text == "End"; });
}

} // namespace corvane
