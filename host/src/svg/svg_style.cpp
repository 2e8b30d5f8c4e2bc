#include "svg/svg_style.h"

#include <algorithm>
#include <memory>

#include "map/color.h"
#include "map/renderers.h"
#include "svg/svg_text.h"

namespace host::svg {
namespace {

constexpr int line_style_null = 5;
constexpr int fill_style_null = 1;
// Widths of 0 mean the thinnest line a device draws.
constexpr double hairline = 0.5;

const char* dash_of(int style) {
  switch (style) {
  case 1:
    return "8 4";
  case 2:
    return "2 3";
  case 3:
    return "8 3 2 3";
  case 4:
    return "8 3 2 3 2 3";
  default:
    return "";
  }
}

void apply_line(Style& style, HostLineSymbol* line) {
  const auto simple = com::ComPtr<HostLineSymbol>(line).as<HostSimpleLineSymbol>();
  const int kind = simple ? simple->Style() : 0;
  if (kind == line_style_null)
    return;
  style.stroke = color_text(rgb_of(line->Color().get()));
  style.stroke_width = std::max(line->Width(), hairline);
  style.dash = dash_of(kind);
}

} // namespace

std::string Style::attributes() const {
  std::string out = " stroke=\"" + stroke + "\" stroke-width=\"" + number_text(stroke_width) +
                    "\" fill=\"" + fill + "\"";
  if (!dash.empty())
    out += " stroke-dasharray=\"" + dash + "\"";
  return out;
}

Style style_of(HostSymbol* symbol) {
  Style style;
  if (!symbol) {
    style.drawn = false;
    return style;
  }
  const com::ComPtr<HostSymbol> s(symbol);
  if (const auto fill = s.as<HostFillSymbol>()) {
    const auto simple = fill.as<HostSimpleFillSymbol>();
    if (!simple || simple->Style() != fill_style_null)
      style.fill = color_text(rgb_of(fill->Color().get()));
    if (const auto outline = fill->Outline())
      apply_line(style, outline.get());
  } else if (const auto marker = s.as<HostMarkerSymbol>()) {
    style.fill = color_text(rgb_of(marker->Color().get()));
    // A dark rim keeps light markers visible on the white page.
    style.stroke = "#333333";
    style.stroke_width = 0.8;
    style.marker_size = std::max(marker->Size(), 2.0);
    if (const auto simple = marker.as<HostSimpleMarkerSymbol>())
      style.marker_shape = simple->Style();
    style.picture = static_cast<bool>(marker.as<HostPictureMarkerSymbol>());
    if (style.picture)
      style.marker_shape = 4;
  } else if (const auto line = s.as<HostLineSymbol>()) {
    apply_line(style, line.get());
  } else if (const auto text = s.as<HostTextSymbol>()) {
    style.fill = color_text(rgb_of(text->Color().get()));
  }
  style.drawn = style.stroke != "none" || style.fill != "none";
  return style;
}

Style selection_style(const Style* drawn, bool markers) {
  constexpr const char* selection_color = "#00ffff";
  Style style;
  if (drawn) {
    style.marker_size = drawn->marker_size;
    style.marker_shape = drawn->marker_shape;
    style.stroke_width = drawn->stroke_width;
  }
  if (markers) {
    style.fill = selection_color;
    style.stroke = "#333333";
    style.stroke_width = 0.8;
    return style;
  }
  style.stroke = selection_color;
  style.stroke_width = std::max(style.stroke_width + 1.5, 2.0);
  return style;
}

Classifier classifier_of(HostFeatureRenderer* renderer) {
  Classifier result;
  const com::ComPtr<HostFeatureRenderer> r(renderer);
  if (const auto simple = r.as<HostSimpleRenderer>()) {
    result.classes.push_back({simple->Label(), style_of(simple->Symbol().get())});
    result.class_of = [](const com::Variant&) { return 0; };
  } else if (const auto breaks = r.as<HostClassBreaksRenderer>()) {
    result.field = breaks->Field();
    for (int i = 0; i < breaks->BreakCount(); ++i)
      result.classes.push_back({breaks->Label(i), style_of(breaks->Symbol(i).get())});
    result.class_of = [breaks](const com::Variant& value) {
      const auto number = value.to_double();
      return number ? breaks->ClassOf(*number) : -1;
    };
  } else if (const auto unique = r.as<HostUniqueValueRenderer>()) {
    result.field = unique->Field(0);
    for (int i = 0; i < unique->ValueCount(); ++i) {
      const auto value = unique->Value(i);
      result.classes.push_back({unique->Label(value), style_of(unique->Symbol(value).get())});
    }
    const int other = static_cast<int>(result.classes.size());
    const bool has_default = static_cast<bool>(unique->DefaultSymbol());
    if (has_default)
      result.classes.push_back({"<all other values>", style_of(unique->DefaultSymbol().get())});
    result.class_of = [index = std::make_shared<UniqueValueIndex>(*unique), other,
                       has_default](const com::Variant& value) {
      const int found = index->find(value.to_string().value_or(""));
      return found >= 0 ? found : has_default ? other : -1;
    };
  } else {
    result.class_of = [](const com::Variant&) { return -1; };
  }
  return result;
}

} // namespace host::svg
