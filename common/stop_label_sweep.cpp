#include "common/stop_label_sweep.h"

#include <algorithm>
#include <string>

#include "com/create.h"
#include "common/rgb_colour.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"

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

com::ComPtr<host::HostGraphicsContainer> graphics_of(host::HostMap* map) {
  return require_as<host::HostGraphicsContainer>(com::ComPtr<host::HostMap>(map), "graphics");
}

// One walk over the map's text graphics deleting those whose text is `chosen`.
template <class Chosen> void delete_labels(host::HostMap* map, Chosen chosen) {
  const auto graphics = graphics_of(map);
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
  check_call(graphics_of(map)->AddElement(element.get(), 0), "AddElement");
}

bool IsStopLabel(std::string_view text, StopNumbers numbers, std::int32_t highest) {
  if (text == "Start" || text == "End" || text == "1")
    return true;
  if (numbers == StopNumbers::BlankLed) {
    if (!text.starts_with(' '))
      return false;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9 || text.front() == '0' ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  return std::stoi(std::string(text)) <= highest;
}

void DeleteStopLabels(host::HostMap* map, StopNumbers numbers, std::int32_t route_stops,
                      std::int32_t multi_stops) {
  const auto highest = std::max(route_stops, multi_stops);
  delete_labels(map, [numbers, highest](const std::string& text) {
    return IsStopLabel(text, numbers, highest);
  });
}

void DeleteStartEndLabels(host::HostMap* map) {
  delete_labels(map, [](const std::string& text) { return text == "Start" || text == "End"; });
}

void DeleteMarkerLabels(host::HostMap* map, BoundedTable<std::string>& labels, std::int32_t count) {
  const auto graphics = graphics_of(map);
  const auto view = require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(map), "view");
  // A Shift+click stores its label one row past the count; the table's bound ends the sweep.
  for (std::int32_t row = 0; row <= std::min(count, labels.upper()); ++row) {
    graphics->Reset();
    for (auto element = graphics->Next(); element; element = graphics->Next()) {
      const auto label = element.as<host::HostTextElement>();
      if (label && label->Text() == labels[row]) {
        check_call(graphics->DeleteElement(element.get()), "DeleteElement");
        view->Refresh();
        labels[row] = "0";
        break;
      }
    }
  }
}

} // namespace corvane
