#pragma once

#include <functional>
#include <string>
#include <vector>

#include "com/variant.h"
#include "host/renderer.h"
#include "host/symbol.h"

namespace host::svg {

// How one symbol draws, as SVG presentation attributes. Marker shapes: 0 circle, 1 square,
// 2 cross, 3 x, 4 diamond; `picture` marks a picture marker drawn as a shape in its colour.
struct Style {
  bool drawn = true;
  std::string stroke = "none";
  double stroke_width = 1;
  std::string dash;
  std::string fill = "none";
  double marker_size = 8;
  int marker_shape = 0;
  bool picture = false;

  // ` stroke="..." stroke-width="..." fill="..."` for a group or an element.
  std::string attributes() const;
};

Style style_of(HostSymbol* symbol);

// How a selected feature draws over its layer, in the selection colour: lines and outlines a
// little wider than `drawn` (its class's style; null when no class draws it) with areas left
// open so their class shows through, or, for `markers`, markers filled with it at their size
// and shape.
Style selection_style(const Style* drawn, bool markers);

// One legend row of a renderer class.
struct ClassEntry {
  std::string label;
  Style style;
};

// What a layer's renderer makes of a feature: its class (an index into `classes`, -1 when it
// is not drawn) from the value of `field` (-1: no field needed).
struct Classifier {
  std::string field;
  std::vector<ClassEntry> classes;
  std::function<int(const com::Variant&)> class_of;
};

Classifier classifier_of(HostFeatureRenderer* renderer);

} // namespace host::svg
