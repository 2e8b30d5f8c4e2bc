#include "session/form_listing.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "forms/catalogue.h"
#include "session/transcript.h"

namespace host::session {

namespace {

std::string number(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

// A colour of the desktop's scheme (a button's face, ...), which no design chose.
bool is_system_colour(forms::Color value) {
  return (value & 0x80000000L) != 0;
}

// The platform keeps red + green * 256 + blue * 65536.
std::string colour(forms::Color value) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(value & 0xFF),
                static_cast<unsigned>((value >> 8) & 0xFF),
                static_cast<unsigned>((value >> 16) & 0xFF));
  return text;
}

std::string control_line(const forms::ControlView& view) {
  const auto& look = view.appearance;
  std::string line(static_cast<std::size_t>(2 * view.depth), ' ');
  line += look.kind + " " + view.name;
  if (look.caption)
    line += " " + quote(*look.caption);
  if (look.text)
    line += " = " + quote(*look.text);
  else if (look.value)
    line += " = " + number(*look.value);
  else if (look.colour && !is_system_colour(*look.colour))
    line += " = " + colour(*look.colour);
  if (look.min && look.max)
    line += " range " + number(*look.min) + " " + number(*look.max);
  if (!look.items.empty()) {
    line += " items";
    for (const auto& item : look.items)
      line += " " + quote(item);
  }
  if (!look.enabled)
    line += " disabled";
  if (!look.visible)
    line += " hidden";
  return line;
}

} // namespace

std::vector<std::string> form_lines(const std::string& head, const forms::IForm& form) {
  std::vector<std::string> lines{head + " " + std::string(form.FormName()) + " " +
                                 quote(form.ShownCaption())};
  for (const auto& control : form.DescribeControls())
    lines.push_back(control_line(control));
  return lines;
}

namespace {
std::vector<std::unique_ptr<forms::Form>> designed() {
  std::vector<std::unique_ptr<forms::Form>> forms;
  for (const auto make : forms::registered_forms())
    forms.push_back(make());
  std::ranges::sort(forms, {}, [](const auto& form) { return form->Name(); });
  return forms;
}
} // namespace

std::vector<std::string> designed_form_names() {
  std::vector<std::string> names;
  for (const auto& form : designed())
    names.push_back(form->Name());
  return names;
}

std::vector<std::string> designed_forms() {
  std::vector<std::string> lines;
  for (const auto& form : designed()) {
    if (!lines.empty())
      lines.emplace_back();
    const auto own = form_lines("form", *form);
    lines.insert(lines.end(), own.begin(), own.end());
  }
  return lines;
}

} // namespace host::session
