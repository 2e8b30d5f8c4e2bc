#include "common/stop_label_sweep.h"

#include <algorithm>
#include <string>

#include "common/handler_end.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"

namespace corvane {

namespace {

// " k" for 1 <= k <= highest, digits only and without a leading zero.
bool is_blank_led_number(const std::string& text, std::int32_t highest) {
  if (text.size() < 2 || text.size() > 10 || text[0] != ' ' || text[1] == '0')
    return false;
  if (!std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  return std::stoll(text.substr(1)) <= highest;
}

com::ComPtr<host::HostGraphicsContainer> graphics_of(host::HostMap* map) {
  return require_as<host::HostGraphicsContainer>(com::ComPtr<host::HostMap>(map), "graphics");
}

} // namespace

void DeleteStopLabels(host::HostMap* map, std::int32_t highest, bool with_one) {
  const auto graphics = graphics_of(map);
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next()) {
    const auto label = element.as<host::HostTextElement>();
    if (!label)
      continue;
    const std::string text = label->Text();
    if (text == "Start" || text == "End" || (with_one && text == "1") ||
        is_blank_led_number(text, highest))
      check_call(graphics->DeleteElement(element.get()), "DeleteElement");
  }
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
