#include "session/map_changes.h"

#include <algorithm>
#include <type_traits>
#include <unordered_set>

#include "host/graphics_container.h"
#include "host/table.h"
#include "host/workspace.h"
#include "session/transcript.h"
#include "svg/svg_style.h"

namespace host::session {

namespace {

namespace fs = std::filesystem;

// More classes than this are shown by their first labels and a count of the rest: a renderer
// of one class per centre may hold thousands.
constexpr std::size_t shown_labels = 12;

std::string source_of(com::IUnknown* data, const char* extension, const fs::path& base) {
  const auto dataset = com::ComPtr<com::IUnknown>(data).as<HostDataset>();
  const auto workspace = dataset ? dataset->Workspace() : nullptr;
  if (!workspace)
    return {};
  const auto file =
      (fs::path(workspace->PathName()) / (dataset->Name() + extension)).lexically_normal();
  const auto relative = file.lexically_relative(base);
  if (relative.empty() || *relative.begin() == "..")
    return file.generic_string();
  return relative.generic_string();
}

template <class Data> std::optional<std::int32_t> count_of(Data& data) {
  std::int32_t count = 0;
  if constexpr (std::is_same_v<Data, HostFeatureClass>) {
    if (com::FAILED(data.FeatureCount(nullptr, &count)))
      return std::nullopt;
  } else if (com::FAILED(data.RowCount(nullptr, &count))) {
    return std::nullopt;
  }
  return count;
}

std::string drawing_of(HostFeatureRenderer* renderer) {
  const com::ComPtr<HostFeatureRenderer> r(renderer);
  std::string kind;
  if (r.as<HostSimpleRenderer>())
    kind = "simple";
  else if (r.as<HostClassBreaksRenderer>())
    kind = "breaks";
  else if (r.as<HostUniqueValueRenderer>())
    kind = "values";
  else
    return "other";
  const auto classifier = svg::classifier_of(renderer);
  if (kind == "simple") {
    const auto& label = classifier.classes.front().label;
    return label.empty() ? kind : kind + " " + quote(label);
  }
  std::string out = kind + " " + quote(classifier.field);
  const auto& classes = classifier.classes;
  for (std::size_t i = 0; i < classes.size() && i < shown_labels; ++i)
    out += " " + quote(classes[i].label);
  if (classes.size() > shown_labels)
    out += " +" + std::to_string(classes.size() - shown_labels) + " more";
  return out;
}

LayerState layer_state(HostLayer& layer, const fs::path& base) {
  LayerState state;
  state.identity = com::ComPtr<com::IUnknown>(&layer);
  state.name = layer.Name();
  const auto feature_layer = com::ComPtr<HostLayer>(&layer).as<HostFeatureLayer>();
  const auto feature_class = feature_layer ? feature_layer->FeatureClass() : nullptr;
  if (feature_class) {
    state.source = source_of(feature_class.get(), ".shp", base);
    state.count = count_of(*feature_class);
  }
  if (const auto drawing = feature_layer.as<HostGeoFeatureLayer>();
      drawing && drawing->Renderer()) {
    state.renderer = drawing->Renderer();
    state.drawing = drawing_of(state.renderer.get());
  }
  if (const auto selection = feature_layer.as<HostFeatureSelection>())
    state.selected = selection->SelectedIds();
  return state;
}

LayerState table_state(HostStandaloneTable& entry, const fs::path& base) {
  LayerState state;
  state.identity = com::ComPtr<com::IUnknown>(&entry);
  state.name = entry.Name();
  if (const auto table = entry.Table()) {
    state.source = source_of(table.get(), ".dbf", base);
    state.count = count_of(*table);
  }
  return state;
}

std::string shown_graphic(HostElement& element) {
  const com::ComPtr<HostElement> e(&element);
  if (const auto text = e.as<HostTextElement>())
    return "text " + quote(text->Text());
  if (const auto marker = e.as<HostMarkerElement>()) {
    const auto symbol = marker->Symbol();
    if (const auto picture = symbol.as<HostPictureMarkerSymbol>())
      return "marker " + quote(fs::path(picture->PicturePath()).filename().string());
    static constexpr const char* shapes[] = {"circle", "square", "cross", "x", "diamond"};
    const auto simple = symbol.as<HostSimpleMarkerSymbol>();
    const int style = simple ? simple->Style() : 0;
    return "marker " + quote(style >= 0 && style < 5 ? shapes[style] : "marker");
  }
  return "other";
}

const LayerState* find(const std::vector<LayerState>& list, const LayerState& item) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [&](const auto& e) { return e.identity == item.identity; });
  return it == list.end() ? nullptr : &*it;
}

std::string counted(const std::optional<std::int32_t>& count, const char* what) {
  if (!count)
    return {};
  return " " + std::to_string(*count) + " " + what + (*count == 1 ? "" : "s");
}

// `layer added "NAME" "FILE" N features` for a new entry, `layer changed ...` with `(was M)`
// when its data changed; the entry's state before, null for a new one.
const LayerState* data_lines(const char* kind, const char* what,
                             const std::vector<LayerState>& before, const LayerState& now,
                             std::vector<std::string>& out) {
  const LayerState* was = find(before, now);
  if (was && was->source == now.source && was->count == now.count)
    return was;
  std::string line = std::string(kind) + (was ? " changed " : " added ") + quote(now.name) + " " +
                     quote(now.source) + counted(now.count, what);
  if (was && was->count && was->count != now.count)
    line += " (was " + std::to_string(*was->count) + ")";
  out.push_back(line);
  return was;
}

void layer_lines(const std::vector<LayerState>& before, const LayerState& now,
                 std::vector<std::string>& out) {
  const LayerState* was = data_lines("layer", "feature", before, now, out);
  if (now.renderer && (!was || was->renderer != now.renderer || was->drawing != now.drawing))
    out.push_back("renderer " + quote(now.name) + " " + now.drawing);
  if (was ? was->selected != now.selected : !now.selected.empty())
    out.push_back("selection " + quote(now.name) + " " + std::to_string(now.selected.size()));
}

// The order is news when layers kept from before changed places, or a new one went below one
// of them; a new layer on top is what adding always does.
bool order_changed(const std::vector<LayerState>& before, const std::vector<LayerState>& after) {
  std::vector<const LayerState*> kept_before;
  for (const auto& layer : before)
    if (find(after, layer))
      kept_before.push_back(&layer);
  std::size_t next = 0;
  for (const auto& layer : after) {
    const bool kept = find(before, layer) != nullptr;
    if (!kept && next > 0)
      return true;
    if (kept && kept_before[next++]->identity != layer.identity)
      return true;
  }
  return false;
}

// Equal graphics in a row share one line: `graphic added marker "Flag1.bmp" 3 times`.
void graphic_lines(const char* verb, const std::vector<const GraphicState*>& graphics,
                   std::vector<std::string>& out) {
  for (std::size_t i = 0; i < graphics.size();) {
    std::size_t run = 1;
    while (i + run < graphics.size() && graphics[i + run]->shown == graphics[i]->shown)
      ++run;
    out.push_back(std::string("graphic ") + verb + " " + graphics[i]->shown +
                  (run > 1 ? " " + std::to_string(run) + " times" : std::string()));
    i += run;
  }
}

// A tour or a batch run places thousands of graphics, hence the set.
std::vector<const GraphicState*> missing_from(const std::vector<GraphicState>& from,
                                              const std::vector<GraphicState>& other) {
  std::unordered_set<const HostElement*> present;
  for (const auto& graphic : other)
    present.insert(graphic.element.get());
  std::vector<const GraphicState*> missing;
  for (const auto& graphic : from)
    if (!present.contains(graphic.element.get()))
      missing.push_back(&graphic);
  return missing;
}

} // namespace

MapState map_state(HostMap& map, const fs::path& base) {
  MapState state;
  for (int i = 0; i < map.LayerCount(); ++i)
    if (const auto layer = map.Layer(i))
      state.layers.push_back(layer_state(*layer, base));
  const com::ComPtr<HostMap> self(&map);
  if (const auto tables = self.as<HostStandaloneTableCollection>())
    for (int i = 0; i < tables->StandaloneTableCount(); ++i)
      if (const auto table = tables->StandaloneTable(i))
        state.tables.push_back(table_state(*table, base));
  if (const auto graphics = self.as<HostGraphicsContainer>()) {
    graphics->Reset();
    while (const auto element = graphics->Next())
      state.graphics.push_back({element, shown_graphic(*element)});
  }
  return state;
}

std::vector<std::string> map_changes(const MapState& before, const MapState& after) {
  std::vector<std::string> out;
  for (const auto& layer : before.layers)
    if (!find(after.layers, layer))
      out.push_back("layer removed " + quote(layer.name));
  for (const auto& layer : after.layers)
    layer_lines(before.layers, layer, out);
  if (order_changed(before.layers, after.layers)) {
    std::string line = "order";
    for (const auto& layer : after.layers)
      line += " " + quote(layer.name);
    out.push_back(line);
  }
  for (const auto& table : before.tables)
    if (!find(after.tables, table))
      out.push_back("table removed " + quote(table.name));
  for (const auto& table : after.tables)
    data_lines("table", "row", before.tables, table, out);
  graphic_lines("removed", missing_from(before.graphics, after.graphics), out);
  graphic_lines("added", missing_from(after.graphics, before.graphics), out);
  return out;
}

} // namespace host::session
