#include "dialogs/routing/routeoptpro.h"

#include "common/handler_end.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/unwritten_settings.h"

namespace corvane {

namespace {

constexpr std::int32_t EngineKilometers = 0;
constexpr std::int32_t EngineMiles = 1;

std::string ini_file() {
  return NetworkIniFile(shared_state().gNetworkFolder);
}

} // namespace

Routeoptpro::Routeoptpro()
    : Form("Routeoptpro", {.Caption = "Route Options", .Width = 4695, .Height = 3645}) {
  OptYes.Click = [this] { CmbFName.SetVisible(true); };
  OptNo.Click = [this] { CmbFName.SetVisible(false); };
  RadKm.Click = [this] {
    RadKm.SetValue(true);
    shared_state().gDistUnits = std::string(settings::Kilometers);
    RadMi.SetValue(false);
  };
  RadMi.Click = [this] {
    RadMi.SetValue(true);
    shared_state().gDistUnits = std::string(settings::Miles);
    RadKm.SetValue(false);
  };
  CmdOk.Click = [this] { CmdOk_Click(); };
  CmdCancel.Click = [this] { Unload(); };
}

void Routeoptpro::Form_Load() {
  opening_route_type_ = shared_state().gRouteType;
  opening_units_ = shared_state().gDistUnits;
  confirmed_ = false;
  Move(3000, 3000, Width(), Height());
  if (shared_state().gDescFieldCount != 0) {
    enable_description(true);
    show_description_choice();
  }
  show_units();
}

void Routeoptpro::Form_Activate() {
  auto& state = shared_state();
  CmbFName.Clear();
  if (state.gDescFieldCount != 0) {
    // The box ends on the last candidate, whatever field was chosen before.
    for (std::int32_t i = 0; i < state.gDescFieldCount; ++i) {
      const auto& name = state.gDescFieldCandidates[i];
      if (name.empty())
        continue;
      CmbFName.AddItem(name);
      CmbFName.SetText(name);
    }
    enable_description(true);
    show_description_choice();
  } else {
    enable_description(false);
  }
  show_units();
  const std::string route_type = settings::read(ini_file(), settings::Info, settings::RouteType);
  if (route_type.starts_with('S')) {
    state.gRouteType = RouteShortest;
    OptShortest.SetValue(true);
  } else if (route_type.starts_with('F')) {
    state.gRouteType = RouteFastest;
    OptFirstest.SetValue(true);
  }
}

void Routeoptpro::CmdOk_Click() {
  auto& state = shared_state();
  // Every choice of the dialog goes into one write of the file.
  settings::Changes changes;
  if (OptShortest.Value()) {
    state.gRouteType = RouteShortest;
    settings::set(changes, settings::Info, settings::RouteType, settings::Shortest);
  } else if (OptFirstest.Value()) {
    state.gRouteType = RouteFastest;
    settings::set(changes, settings::Info, settings::RouteType, settings::Fastest);
  }
  auto& base = *require(state.gNetBase, "NetBase");
  if (RadKm.Value()) {
    state.gDistUnits = std::string(settings::Kilometers);
    base.SetDistanceUnits(EngineKilometers);
    settings::set(changes, settings::Info, settings::OcxDistUnits, settings::Kilometers);
  } else if (RadMi.Value()) {
    base.SetDistanceUnits(EngineMiles);
    state.gDistUnits = std::string(settings::Miles);
    settings::set(changes, settings::Info, settings::OcxDistUnits, settings::Miles);
  }
  if (state.gDescFieldCount != 0) {
    if (OptYes.Value()) {
      state.gUseDescField = 1;
      state.gDescFieldName = CmbFName.Text();
      if (!state.gDescFieldName.empty())
        settings::set(changes, settings::Info, settings::DescFieldName, state.gDescFieldName);
      state.gDescOption = 1;
    } else if (OptNo.Value()) {
      state.gUseDescField = 0;
    }
  }
  if (!SettingsWritten(settings::commit(ini_file(), changes), ini_file()))
    return;
  confirmed_ = true;
  Unload();
}

void Routeoptpro::Form_Unload(int&) {
  if (confirmed_)
    return;
  auto& state = shared_state();
  state.gRouteType = opening_route_type_;
  state.gDistUnits = opening_units_;
}

void Routeoptpro::enable_description(bool enabled) {
  OptYes.SetEnabled(enabled);
  OptNo.SetEnabled(enabled);
  CmbFName.SetEnabled(enabled);
}

void Routeoptpro::show_description_choice() {
  const auto use = shared_state().gUseDescField;
  if (use == 1)
    OptYes.SetValue(true);
  if (use == 0)
    OptNo.SetValue(true);
}

void Routeoptpro::show_units() {
  const auto& units = shared_state().gDistUnits;
  if (units == settings::Kilometers)
    RadKm.SetValue(true);
  if (units == settings::Miles)
    RadMi.SetValue(true);
}

Routeoptpro& gRouteoptproForm() {
  thread_local Routeoptpro form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Routeoptpro> registered_routeoptpro;
} // namespace

} // namespace corvane
