#pragma once

// The unique-value drawing of a check's output layer: one class for each value of one field,
// in the order the features bring the values. A failing host call ends the handler.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/unknown.h"
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

} // namespace corvane
