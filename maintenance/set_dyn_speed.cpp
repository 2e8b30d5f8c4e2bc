#include "maintenance/set_dyn_speed.h"

#include <string>

#include "common/check_network_ready.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/typed_number.h"
#include "dialogs/maintenance/frm_dyna_road_sp.h"
#include "maintenance/link_list.h"
#include "maintenance/link_tools.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/speed_units.h"

namespace corvane {

namespace {

// gTempSpeedEditState values.
constexpr std::int32_t EditCancelled = 0;
constexpr std::int32_t EditAdded = 1;
constexpr std::int32_t EditChanged = 2;

// The row of the speed the dialog accepted.
TempSpeedRow accepted_speed() {
  const auto& state = shared_state();
  const auto entered = TypedNumber(state.gTempSpeedText);
  const auto both = entered ? speeds_of(*entered, state.gTempSpeedInMph == 1) : std::nullopt;
  if (!both)
    throw HandlerEnd("the accepted speed is no speed");
  return {.Link = static_cast<double>(state.gTempSpeedLink),
          .SpeedKmph = both->kmph,
          .SpeedMph = both->mph};
}

} // namespace

SetDynSpeed::SetDynSpeed()
    : ToolBase({.Caption = "Set Road Speed",
                .Name = "Set Road Speed",
                .Tooltip = "Change Road Speed",
                .Message = "Sets a Temporary Road Speed",
                .BitmapId = 7012}) {}

void SetDynSpeed::mouse_down(long, long, long x, long y) {
  auto& state = shared_state();
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get()))
    return;
  const auto kept = NetworkLinkView::Of(map);
  if (!network_loaded())
    return;
  const auto link = kept.pick(document().get(), x, y);
  if (!link) {
    show_message("Did not get the feature", "Feature not found", forms::Icon::Exclamation);
    return;
  }
  auto speeds = TempSpeedList();
  const auto number = LinkNumberOf(*link);
  const auto row = speeds.row_of(number);
  if (row == 0 && speeds.full()) {
    show_message("At most " + std::to_string(state.gTempSpeeds.upper()) +
                     " roads can have a temporary speed at a time",
                 "Set Road Speed", forms::Icon::Exclamation);
    return;
  }

  const auto selection =
      require_as<host::HostFeatureSelection>(kept.layer, "FeatureLayer as FeatureSelection");
  selection->Clear();
  selection->Add(link.get());
  kept.view->Refresh();
  const auto marker = LinkPointAt(link.get(), TempSpeedMarkerRatio);
  state.gTempSpeedLink = number;

  auto& dialog = gFrmDynaRoadSPForm();
  dialog.SetCaption("Change Road Speed");
  dialog.Show(forms::ShowMode::Modal);
  state.gTempSpeedEditState = EditCancelled;
  selection->Clear();
  if (state.gTempSpeedDialogOk == 0) {
    kept.view->Refresh();
    return;
  }

  // The stamp goes with the speeds, in the one write of the file.
  speeds.put(row != 0 ? row : state.gTempSpeedCount + 1, accepted_speed(), NetworkEditedStamp());
  state.gTempSpeedEditState = row != 0 ? EditChanged : EditAdded;
  kept.view->Refresh();
  if (state.gTempSpeedEditState == EditAdded)
    AddMarkerGraphic(map.get(), marker.get(), MarkerTempSpeed);
}

} // namespace corvane
