#include "tsp/tsp_final.h"

#include <string>

#include "host/editor.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

TspFinal::TspFinal()
    : StopClickTool({.Caption = "TSP",
                     .Name = "Tsp",
                     .Tooltip = "TSP",
                     .Message = "Calculates a Traveling Sales Person's Tour",
                     .BitmapId = 7004}) {}

bool TspFinal::enabled() {
  const auto application = require(this->application(), "Application");
  const auto editor = require_as<host::HostEditor>(
      application->FindExtensionByName(std::string(host::EditorExtension)), host::EditorExtension);
  shared_state().gEditSessionActive = editor->EditState() != host::StateNotEditing;
  return network_loaded();
}

} // namespace corvane
