#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "com/unknown.h"
#include "host/element.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/renderer.h"

namespace host::session {

// What the user can see of one layer or standalone table. The objects are held, not only
// compared by address, so one removed and another created in the same step never look alike.
struct LayerState {
  com::ComPtr<com::IUnknown> identity;
  std::string name;
  // The data file as the session would name it (see `MapState`); "" without data.
  std::string source;
  // Features or rows; none when the data cannot be read.
  std::optional<std::int32_t> count;
  com::ComPtr<HostFeatureRenderer> renderer;
  // "simple", "breaks \"FIELD\" \"LABEL\" ..." or "values ...": what the renderer line shows.
  std::string drawing;
  std::vector<std::int32_t> selected;
};

struct GraphicState {
  com::ComPtr<HostElement> element;
  // `marker "Flag1.bmp"`, `text "1"`: what the graphic line shows.
  std::string shown;
};

// The map as the user sees it after a step: layers top first, tables and graphics in the order
// they were added.
struct MapState {
  std::vector<LayerState> layers;
  std::vector<LayerState> tables;
  std::vector<GraphicState> graphics;
};

// The map's state now. Data files inside `base` (the session's folder) are named relative to
// it, as a session names them; others by their whole path.
MapState map_state(HostMap& map, const std::filesystem::path& base);

// The transcript lines that tell what changed from `before` to `after`, in the order the
// session reference gives: removed layers, then every layer in map order (added, changed,
// drawn anew, selected), the order when it changed, tables, graphics removed, graphics added.
std::vector<std::string> map_changes(const MapState& before, const MapState& after);

} // namespace host::session
