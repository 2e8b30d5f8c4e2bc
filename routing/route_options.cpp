#include "routing/route_options.h"

#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "common/unwritten_settings.h"
#include "dialogs/routing/routeoptpro.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"
#include "routing/route_output.h"

namespace corvane {

namespace {

constexpr std::string_view FieldNotFound = settings::DescriptionFieldNotFound;

// Written only when the file does not say so already: the dialog's OK writes the file next.
void forget_description_field() {
  auto& state = shared_state();
  state.gUseDescField = 0;
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  if (ReadStoredDescriptionField(win::ProfileSnapshot(ini)) != FieldNotFound)
    SettingsWritten(settings::write(ini, settings::Info, settings::DescFieldName, FieldNotFound),
                    ini);
}

// The network layer's text fields become the candidates, as many as the list holds.
void collect_candidates(host::HostFeatureClass& network, Routeoptpro& dialog) {
  auto& state = shared_state();
  state.gDescFieldCandidates.clear();
  state.gDescFieldCount = 0;
  // The first touch loads the dialog: its Form_Load sees no candidates yet.
  dialog.CmbFName.Clear();
  const auto fields = require(network.Fields(), "Fields");
  for (int i = 0; i < fields->FieldCount(); ++i) {
    const auto field = require(fields->Field(i), "Field");
    if (field->Type() != host::field_string)
      continue;
    if (state.gDescFieldCount > state.gDescFieldCandidates.upper())
      break;
    state.gDescFieldCandidates[state.gDescFieldCount] = field->Name();
    dialog.CmbFName.AddItem(field->Name());
    ++state.gDescFieldCount;
  }
}

} // namespace

RouteOptions::RouteOptions()
    : CommandBase({.Caption = "Route Options",
                   .Name = "Routes",
                   .Tooltip = "Route Options",
                   .Message = "Sets the various route options",
                   .BitmapId = 7001}) {}

void RouteOptions::click() {
  auto& state = shared_state();
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get(), {.description_field_title = {}, .modified_before_layer = true}))
    return;
  const auto network = NetworkFeatureClass(map.get());
  auto& dialog = gRouteoptproForm();
  collect_candidates(*network, dialog);

  if (state.gDescOption == 0 && state.gDescFieldCount == 0) {
    show_message("No description field found. Add the description field", "Field Not Found",
                 forms::Icon::Exclamation);
    forget_description_field();
  }
  if (state.gDescOption == 1 && network->FindField(state.gDescFieldName) == -1) {
    forget_description_field();
    show_message("The selected description field is not found", "Field not found",
                 forms::Icon::Critical);
  }
  dialog.CmbFName.SetText(dialog.CmbFName.ListCount() > 0 ? dialog.CmbFName.List(0) : "");
  dialog.Show(forms::ShowMode::Modal);
}

} // namespace corvane
