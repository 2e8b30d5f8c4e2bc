#include "dialogs/isochrones/frm_batch_isochrone.h"

#include <string>

#include "com/letter_case.h"
#include "common/feature_copies.h"
#include "common/layer_lookup.h"
#include "host/fields.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/output_fields.h"

namespace corvane {

namespace {

bool is_id_name(const std::string& name) {
  return com::equal_ignoring_case(name, tamix::output::centre_id_field);
}

} // namespace

FrmBatchIsochrone::FrmBatchIsochrone()
    : Form("FrmBatchIsochrone", {.Caption = "Batch Isochrones", .Width = 4215, .Height = 3675}) {
  CmdTab.Click = [this] { refresh_fields(); };
  // Typing a layer name refreshes the list at every change: a half-typed name finds no layer
  // and leaves the list as it was.
  CmdTab.Change = [this] { refresh_fields(); };
  CmdTab.KeyDown = [this](int&, int) { refresh_fields(); };
  RadVoronoi.Click = [this] {
    enable_fields(shared_state().gBatchIsoNoField != BatchIsoWithoutField);
  };
  RadCloCen.Click = [this] {
    enable_fields(shared_state().gBatchIsoNoField != BatchIsoWithoutField);
  };
  RadLnkIso.Click = [this] { enable_fields(false); };
  CmdOk.Click = [this] { accept(); };
  CmdCancel.Click = [this] {
    shared_state().gBatchIsoDialogState = BatchIsoCancelled;
    Unload();
  };
}

void FrmBatchIsochrone::Form_Activate() {
  map_ = require(shared_state().gDocument, "gDocument")->FocusMap();
  refresh_fields();
  // Every showing starts in polygon mode, whatever the last run chose.
  RadVoronoi.SetValue(true);
}

void FrmBatchIsochrone::Form_QueryUnload(int&, int UnloadMode) {
  // A window closed by its frame made no choice: the run must not start.
  if (UnloadMode == forms::FormControlMenu)
    shared_state().gBatchIsoDialogState = BatchIsoCancelled;
}

void FrmBatchIsochrone::refresh_fields() {
  auto& state = shared_state();
  if (!map_)
    return; // the command is still filling the layer box
  try {
    state.gBatchIsoDialogState = BatchIsoFieldsListed;
    state.gLayerIndex = FindAnyLayerIndex(map_.get(), CmdTab.Text(), "PT");
    if (state.gLayerIndex != NoLayer) {
      const auto layer =
          require_as<host::HostFeatureLayer>(map_->Layer(state.gLayerIndex), "Layer");
      const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
      // A layer renamed in the map no longer names its data: its fields are not offered.
      if (features->AliasName() == CmdTab.Text()) {
        CmdFild.Clear();
        CmdFild.SetText("");
        const auto fields = require(features->Fields(), "FeatureClass.Fields");
        for (int k = 0; k < fields->FieldCount(); ++k) {
          const auto field = require(fields->Field(k), "Fields.Field");
          if (IsIdOrShape(*field) || is_id_name(field->Name()))
            continue;
          CmdFild.AddItem(field->Name());
          CmdFild.SetText(field->Name());
        }
      }
    }
    state.gBatchIsoNoField = CmdFild.ListCount() == 0 ? BatchIsoWithoutField : 0;
    enable_fields(state.gBatchIsoNoField != BatchIsoWithoutField);
  } catch (const HandlerEnd&) {
  } catch (const forms::Error&) {
  }
}

void FrmBatchIsochrone::enable_fields(bool usable) {
  CmdTab.SetEnabled(true);
  CmdTab.SetBackColor(forms::HighlightText);
  CmdFild.SetEnabled(usable);
  CmdFild.SetBackColor(usable ? forms::HighlightText : forms::ButtonFace);
}

void FrmBatchIsochrone::accept() {
  auto& state = shared_state();
  if (RadVoronoi.Value())
    state.gBatchIsoMode = BatchIsoZonePolygons;
  else if (RadLnkIso.Value())
    state.gBatchIsoMode = BatchIsoLinkIsochrones;
  else if (RadCloCen.Value())
    state.gBatchIsoMode = BatchIsoNearestCentre;
  state.gBatchIsoLayerName = CmdTab.Text();
  state.gBatchIsoFieldName = CmdFild.Text();
  state.gBatchIsoDialogState = BatchIsoConfirmed;
  Unload();
}

FrmBatchIsochrone& gFrmBatchIsochroneForm() {
  thread_local FrmBatchIsochrone form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmBatchIsochrone> registered_frmbatchisochrone;
} // namespace

} // namespace corvane
