#include "dialogs/routing/frm_batch.h"

#include <cstdint>
#include <string>

#include "common/feature_copies.h"
#include "common/layer_source.h"
#include "common/point_layer_list.h"
#include "common/show_message.h"
#include "host/fields.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// The entry that labels points by their feature id, and the field name the command uses for it.
constexpr std::string_view IdEntry = "OID";
constexpr std::string_view IdField = "FID";

std::string label_field(const forms::ComboBox& fields) {
  const auto entry = fields.Text();
  return entry == IdEntry ? std::string(IdField) : entry;
}

// One side's table choice: the layer chosen in `tables` gives the folder and the label fields
// ("OID", then every field that is neither the object id nor the shape). A layer whose feature
// class is named otherwise than the layer changes nothing but the index. A failing host call
// ends the choice; the field box then keeps what it had.
void choose_table(host::HostMap* map, const forms::ComboBox& tables, forms::ComboBox& fields,
                  std::int32_t& index, std::string& folder) {
  try {
    if (tables.ListIndex() < 0)
      return;
    index = tables.ListIndex();
    const auto map_index = shared_state().gLayerList[index].MapIndex;
    if (map_index == NoLayer || !map)
      return;
    const auto layer = require_as<host::HostFeatureLayer>(map->Layer(map_index), "Layer");
    const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
    if (features->AliasName() != tables.Text())
      return;
    folder = workspace_folder(features);
    const auto definitions = require(features->Fields(), "FeatureClass.Fields");
    const int field_count = definitions->FieldCount();
    fields.Clear();
    fields.AddItem(std::string(IdEntry));
    for (int k = 1; k < field_count; ++k) {
      const auto field = require(definitions->Field(k), "Fields.Field");
      if (IsIdOrShape(*field))
        continue;
      fields.AddItem(field->Name());
    }
    fields.SetText(std::string(IdEntry));
  } catch (const HandlerEnd&) {
  } catch (const forms::Error&) {
  }
}

} // namespace

namespace {

// Also what a close by the frame answers: the command reads the outcome after the dialog has
// gone, and a window closed by its frame made no choice, so the run must not start with the
// choice of an earlier one.
void cancelled() {
  shared_state().gBatchRouteCancelled = 1;
}

} // namespace

FrmBatch::FrmBatch()
    : AnswerForm("FrmBatch", {.Caption = "Batch Route", .Width = 3585, .Height = 4695}, cancelled) {
  CmbFtable.Click = [this] { choose_from_table(); };
  CmbFtable.KeyDown = [this](int&, int) { choose_from_table(); };
  CmbTtable.Click = [this] { choose_to_table(); };
  CmbTtable.KeyDown = [this](int&, int) { choose_to_table(); };
  CmdOk.Click = [this] { accept(); };
  answer_with(CmdCancel, cancelled);
}

void FrmBatch::Form_Load() {
  Move(3000, 2500, Width(), Height());
}

void FrmBatch::Form_Activate() {
  auto& state = shared_state();
  map_ = require(state.gDocument, "gDocument")->FocusMap();
  state.gBatchRouteBuildObjects = Check1.Value() == 1 ? 1 : 0;
  choose_to_table();
  choose_from_table();
}

void FrmBatch::choose_from_table() {
  auto& state = shared_state();
  choose_table(map_.get(), CmbFtable, CmbFField, state.gBatchRouteFromIndex,
               state.gBatchRouteFromFolder);
}

void FrmBatch::choose_to_table() {
  auto& state = shared_state();
  choose_table(map_.get(), CmbTtable, CmbToField, state.gBatchRouteToIndex,
               state.gBatchRouteToFolder);
}

void FrmBatch::accept() {
  auto& state = shared_state();
  if (CmbToField.ListCount() == 0 || CmbFField.ListCount() == 0) {
    show_message("No field found for description", "No Field Found", forms::Icon::Critical);
    return;
  }
  state.gBatchRouteBuildObjects = Check1.Value() == 1 ? 1 : 0;
  state.gBatchRouteBothWays = Check2.Value() == 1 ? 1 : 0;
  state.gBatchRouteFromField = label_field(CmbFField);
  state.gBatchRouteToField = label_field(CmbToField);
  state.gBatchRouteFromLayer = CmbFtable.Text();
  state.gBatchRouteToLayer = CmbTtable.Text();
  state.gBatchRouteCancelled = 0;
  Unload();
}

FrmBatch& gFrmBatchForm() {
  thread_local FrmBatch form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmBatch> registered_frmbatch;
} // namespace

} // namespace corvane
