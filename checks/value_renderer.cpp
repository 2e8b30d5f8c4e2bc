#include "checks/value_renderer.h"

#include <algorithm>

#include "host/cursor.h"
#include "host/row.h"
#include "network/state/handler_end.h"

namespace corvane {

std::vector<std::pair<std::string, int>> CountFieldValues(host::HostGeoFeatureLayer& layer,
                                                          int field) {
  const auto features = require(layer.FeatureClass(), "FeatureClass");
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Search(nullptr, false, &cursor), "Search");
  require(cursor, "Search");
  std::vector<std::pair<std::string, int>> values;
  com::ComPtr<host::HostFeature> feature;
  while (cursor->NextFeature(&feature) == com::S_OK && feature) {
    const auto value = feature->Value(field).to_string().value_or("");
    const auto known = std::ranges::find(values, value, &std::pair<std::string, int>::first);
    if (known == values.end())
      values.emplace_back(value, 1);
    else
      ++known->second;
  }
  return values;
}

com::ComPtr<host::HostUniqueValueRenderer> SingleFieldRenderer(std::string_view field) {
  const auto renderer = create<host::HostUniqueValueRenderer>(host::UniqueValueRendererClass);
  renderer->SetFieldCount(1);
  renderer->SetField(0, std::string(field));
  renderer->SetFieldType(0, true);
  return renderer;
}

void ShowRenderer(host::HostDocument& document, host::HostGeoFeatureLayer& layer,
                  host::HostUniqueValueRenderer& renderer, std::string_view field) {
  renderer.SetColorScheme("Custom");
  check_call(layer.SetRenderer(&renderer), "SetRenderer");
  layer.SetDisplayField(std::string(field));
  document.UpdateContents();
  require(document.ActiveView(), "ActiveView")->Refresh();
}

} // namespace corvane
