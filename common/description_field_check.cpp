#include "common/description_field_check.h"

#include "common/layer_lookup.h"
#include "common/show_message.h"
#include "common/unwritten_settings.h"
#include "host/layer.h"
#include "host/table.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {

void drop_missing_description_field(host::HostMap* map, std::string_view title) {
  auto& state = shared_state();
  if (state.gUseDescField != 1)
    return;
  const auto index = FindLayerIndex(map, state.gNetworkLayerName, "L");
  if (index == NoLayer)
    return;
  const auto layer = require_as<host::HostFeatureLayer>(map->Layer(index), "network layer");
  const auto features = require(layer->FeatureClass(), "network feature class");
  if (features->FindField(state.gDescFieldName) != -1)
    return;
  state.gUseDescField = 0;
  state.gDescOption = 2;
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  SettingsWritten(settings::write(ini, settings::Info, settings::DescFieldName,
                                  settings::DescriptionFieldNotFound),
                  ini);
  show_message("The selected description field is not found", title, forms::Icon::Exclamation);
}

} // namespace corvane
