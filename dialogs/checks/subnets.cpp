#include "dialogs/checks/subnets.h"

#include <algorithm>
#include <string>

#include "com/numbers.h"
#include "com/variant.h"
#include "common/error_box.h"
#include "common/layer_lookup.h"
#include "common/link_selection.h"
#include "common/show_message.h"
#include "host/active_view.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// How far the map shows around a subnet's link, and around the whole network layer.
constexpr double AroundOneLink = 5.0;
constexpr double AroundTheNetwork = 1.5;

com::ComPtr<host::HostActiveView> active_view() {
  return require(require(shared_state().gDocument, "Document")->ActiveView(), "ActiveView");
}

// Brings the map to `extent` grown about its centre by `ratio`. A link drawn along an axis has
// an extent without width or height, and a link of no length one without either: the missing
// side takes the other's length, or the view's present size shrunk by the ratio, so that the
// map never zooms to a line or a point.
void zoom_around(host::HostMap* map, host::HostEnvelope* extent, double ratio) {
  const auto view = active_view();
  double width = extent->Width();
  double height = extent->Height();
  if (!(width > 0 && height > 0)) {
    const double side = std::max(width, height);
    if (side > 0) {
      width = height = side;
    } else {
      const auto shown = require(view->Extent(), "Extent");
      width = shown->Width() / ratio;
      height = shown->Height() / ratio;
    }
    const double x = (extent->XMin() + extent->XMax()) / 2;
    const double y = (extent->YMin() + extent->YMax()) / 2;
    extent->PutCoords(x - width / 2, y - height / 2, x + width / 2, y + height / 2);
  }
  extent->Expand(ratio, ratio, true);
  const auto bookmark = create<host::HostExtentBookmark>(host::ExtentBookmarkClass);
  bookmark->SetExtent(extent);
  check_call(bookmark->ZoomTo(map), "ZoomTo");
  view->Refresh();
}

} // namespace

Subnets::Subnets() : Form("Subnets", {.Caption = "Show Subnets", .Width = 4260, .Height = 3240}) {
  CmdShow.Click = [this] { RunWithErrorBox([this] { CmdShow_Click(); }); };
  CmdOk.Click = [this] { RunWithErrorBox([this] { CmdOk_Click(); }); };
}

void Subnets::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void Subnets::Form_Activate() {
  // Kept for the buttons, which end with an error box when the network layer has gone.
  map_ = shared_state().gDocument ? shared_state().gDocument->FocusMap() : nullptr;
  network_layer_ = nullptr;
  if (!map_)
    return;
  const auto index = FindLayerIndex(map_.get(), shared_state().gNetworkLayerName, "L");
  if (index == NoLayer)
    return;
  network_layer_ = map_->Layer(index).as<host::HostFeatureLayer>();
}

void Subnets::CmdShow_Click() {
  if (TotNets.ListIndex() < 0) {
    show_message("Select Subnets Number", "Select Subnets", forms::Icon::Exclamation);
    return;
  }
  const auto map = require(map_, "FocusMap");
  require(network_layer_, "network layer");
  const auto view = active_view();
  map->ClearSelection();
  const auto subnet = com::Variant(TotNets.Text()).val();
  SelectLinks(map.get(), view.get(), "CV_RESULT = " + com::number_text(subnet, 15));
  const auto selected = require(map->FeatureSelection(), "FeatureSelection");
  selected->Reset();
  const auto link = require(selected->Next(), "selected link");
  zoom_around(map.get(), require(require(link->Shape(), "Shape")->Envelope(), "Envelope").get(),
              AroundOneLink);
}

void Subnets::CmdOk_Click() {
  const auto map = require(map_, "FocusMap");
  const auto layer = require(network_layer_, "network layer");
  const auto view = active_view();
  map->ClearSelection();
  view->Refresh();
  SelectLinks(map.get(), view.get(), "CV_RESULT <> 0");
  zoom_around(map.get(), require(layer->AreaOfInterest(), "AreaOfInterest").get(),
              AroundTheNetwork);
  view->Refresh();
  Unload();
}

Subnets& gSubnetsForm() {
  thread_local Subnets form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Subnets> registered_subnets;
} // namespace

} // namespace corvane
