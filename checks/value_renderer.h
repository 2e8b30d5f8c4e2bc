#pragma once

// The unique-value drawing of a check's output layer: one class for each value of one field,
// in the order the features bring the values. A failing host call ends the handler.

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/unknown.h"
#include "common/rgb_colour.h"
#include "common/value_style.h"
#include "host/document.h"
#include "host/layer.h"
#include "host/renderer.h"

namespace corvane {

// Each value of the field at `field` (as text) over the features of `layer`, once, in the
// order the features come, with the number of features that hold it.
std::vector<std::pair<std::string, int>> CountFieldValues(host::HostGeoFeatureLayer& layer,
                                                          int field);

// A unique-value renderer of the one text field `field`, without values yet.
com::ComPtr<host::HostUniqueValueRenderer> SingleFieldRenderer(std::string_view field);

// Gives `layer` the filled `renderer` (colour scheme "Custom") with `field` as its display
// field, then updates the table of contents of `document` and redraws its active view.
void ShowRenderer(host::HostDocument& document, host::HostGeoFeatureLayer& layer,
                  host::HostUniqueValueRenderer& renderer, std::string_view field);

// Draws `layer` with a unique-value renderer of the text field `field` (at `index`): a class
// for each value the features hold, in the order they bring it, each drawn with a new
// `symbol()`; a value `styles` knows gets its colour and the label `label(style, features)`,
// any other value neither. Then the table of contents and the active view are redrawn.
template <class MakeSymbol, class Label>
void DrawValueClasses(host::HostDocument& document, host::HostGeoFeatureLayer& layer,
                      std::string_view field, int index, std::span<const ValueStyle> styles,
                      MakeSymbol symbol, Label label) {
  const auto renderer = SingleFieldRenderer(field);
  for (const auto& [value, features] : CountFieldValues(layer, index)) {
    const auto drawn = symbol();
    const ValueStyle* kind = find_style(styles, value);
    if (kind)
      drawn->SetColor(rgb_colour(kind->red, kind->green, kind->blue).get());
    renderer->AddValue(value, "", drawn.get());
    if (kind)
      renderer->SetLabel(value, label(*kind, features));
  }
  ShowRenderer(document, layer, *renderer, field);
}

} // namespace corvane
