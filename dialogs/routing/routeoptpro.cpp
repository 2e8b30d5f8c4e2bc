#include "dialogs/routing/routeoptpro.h"

#include "common/unwritten_settings.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"

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
  if (const auto route_type = ReadStoredRouteChoice(win::ProfileSnapshot(ini_file()))) {
    state.gRouteType = *route_type;
    (*route_type == RouteShortest ? OptShortest : OptFirstest).SetValue(true);
  }
}

void Routeoptpro::CmdOk_Click() {
  auto& state = shared_state();
  auto& base = *require(state.gNetBase, "NetBase");
  const bool shortest = OptShortest.Value(), fastest = OptFirstest.Value();
  const bool kilometres = RadKm.Value(), miles = RadMi.Value();
  const bool with_descriptions = state.gDescFieldCount != 0 && OptYes.Value();
  const bool without_descriptions = state.gDescFieldCount != 0 && OptNo.Value();
  const std::string field = CmbFName.Text();
  // Every choice of the dialog goes into one write of the file, and takes effect only once the
  // file holds it: a save that fails leaves the route, the engine and the state as they were.
  settings::Changes changes;
  if (shortest)
    settings::set(changes, settings::Info, settings::RouteType, settings::Shortest);
  else if (fastest)
    settings::set(changes, settings::Info, settings::RouteType, settings::Fastest);
  if (kilometres)
    settings::set(changes, settings::Info, settings::OcxDistUnits, settings::Kilometers);
  else if (miles)
    settings::set(changes, settings::Info, settings::OcxDistUnits, settings::Miles);
  if (with_descriptions && !field.empty())
    settings::set(changes, settings::Info, settings::DescFieldName, field);
  if (!SettingsWritten(settings::commit(ini_file(), changes), ini_file()))
    return;

  if (shortest)
    state.gRouteType = RouteShortest;
  else if (fastest)
    state.gRouteType = RouteFastest;
  if (kilometres) {
    state.gDistUnits = std::string(settings::Kilometers);
    base.SetDistanceUnits(EngineKilometers);
  } else if (miles) {
    state.gDistUnits = std::string(settings::Miles);
    base.SetDistanceUnits(EngineMiles);
  }
  if (with_descriptions) {
    state.gUseDescField = 1;
    state.gDescFieldName = field;
    state.gDescOption = 1;
  } else if (without_descriptions) {
    state.gUseDescField = 0;
  }
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
