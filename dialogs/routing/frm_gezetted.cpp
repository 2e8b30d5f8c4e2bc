#include "dialogs/routing/frm_gezetted.h"

#include <string_view>
#include <vector>

#include "com/create.h"
#include "common/busy_pointer.h"
#include "common/field_equals_filter.h"
#include "common/finite_point.h"
#include "common/node_search.h"
#include "common/show_message.h"
#include "common/typed_number.h"
#include "dialogs/routing/frm_gezz1.h"
#include "host/cursor.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/mouse_cursor.h"
#include "host/query_filter.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/trim_blanks.h"

namespace corvane {

namespace {

constexpr std::string_view StartMark = "(Start)";

// Lower case for comparing without regard to letter case: ASCII letters and the Latin-1 letters
// of UTF-8 text (the Nordic and Western European names of gazetteers).
std::string folded(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto byte = static_cast<unsigned char>(out[i]);
    if (byte >= 'A' && byte <= 'Z') {
      out[i] = static_cast<char>(byte + 32);
    } else if (byte == 0xC3 && i + 1 < out.size()) {
      const auto next = static_cast<unsigned char>(out[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        out[i + 1] = static_cast<char>(next + 32);
      ++i;
    }
  }
  return out;
}

std::string value_text(host::HostFeature& feature, int field) {
  return feature.Value(field).to_string().value_or("");
}

} // namespace

FrmGezetted::FrmGezetted()
    : Form("FrmGezetted", {.Caption = "Gazetteer Selection", .Width = 4935, .Height = 6105}) {
  Combo1.Click = [this] { Combo1_Click(); };
  Combo2.Click = [this] { Combo2_Click(); };
  Text1.KeyDown = [this](int& key, int) {
    if (key == forms::EnterKey)
      CmdAdd_Click();
  };
  CmdAdd.Click = [this] { CmdAdd_Click(); };
  CmdDelete.Click = [this] { CmdDelete_Click(); };
  OptRoute.Click = [] { shared_state().gGazetteerMode = 0; };
  OptOptimise.Click = [] { shared_state().gGazetteerMode = 1; };
  CmdOk.Click = [this] { CmdOk_Click(); };
  CmdCancel.Click = [this] { CmdCancel_Click(); };
}

void FrmGezetted::Form_Load() {
  SetDefaultPointer();
  Move(2000, 3000, Width(), Height());
  stop_count_ = 0;
  stop_nodes_.clear();
  match_ids_.clear();
  field_type_ = 0;
  layer_map_index_ = NoLayer;
  // A dialog closed by its frame last time left the flag set: every opening fills the fields.
  fields_filled_ = false;
  auto& state = shared_state();
  state.gGazetteerPickState = 0;
  if (state.gGazetteerMode == 0)
    OptRoute.SetValue(true);
  if (state.gGazetteerMode == 1)
    OptOptimise.SetValue(true);
}

void FrmGezetted::Form_Activate() {
  auto& state = shared_state();
  map_ = require(require(state.gDocument, "gDocument")->FocusMap(), "FocusMap");
  SetDefaultPointer();
  update_buttons();
  if (!fields_filled_) {
    Combo1_Click();
    fields_filled_ = true;
  }
  state.gGazetteerCancelled = 0;
}

void FrmGezetted::Combo1_Click() {
  auto& state = shared_state();
  state.gGazetteerLayerIndex = Combo1.ListIndex();
  layer_map_index_ = state.gLayerList[state.gGazetteerLayerIndex].MapIndex;
  if (layer_map_index_ == NoLayer)
    return;
  const auto features = chosen_class();
  if (features->AliasName() != Combo1.Text())
    return;
  Combo2.Clear();
  const auto fields = require(features->Fields(), "Fields");
  for (int i = 0; i < fields->FieldCount(); ++i) {
    const auto name = require(fields->Field(i), "Field")->Name();
    if (name == "Shape" || name == "FID")
      continue;
    Combo2.AddItem(name);
    Combo2.SetText(name);
  }
}

void FrmGezetted::Combo2_Click() {
  field_type_ = chosen_field_type();
}

com::ComPtr<host::HostFeatureClass> FrmGezetted::chosen_class() {
  const auto layer =
      require_as<host::HostFeatureLayer>(map_->Layer(layer_map_index_), "gazetteer layer");
  return require(layer->FeatureClass(), "gazetteer feature class");
}

int FrmGezetted::chosen_field_type() {
  const auto features = chosen_class();
  const int index = features->FindField(trim_blanks(Combo2.Text()));
  if (index < 0)
    return -1;
  return require(require(features->Fields(), "Fields")->Field(index), "Field")->Type();
}

void FrmGezetted::CmdAdd_Click() {
  auto& state = shared_state();
  if (refuse_without_fields())
    return;
  std::string value = trim_blanks(Text1.Text());
  if (value.empty()) {
    show_message("Enter a valid value", "Invalid", forms::Icon::Information);
    return;
  }
  const std::string field_name = trim_blanks(Combo2.Text());
  layer_map_index_ = state.gLayerList[state.gGazetteerLayerIndex].MapIndex;
  const auto features = chosen_class();
  const int field = features->FindField(field_name);
  if (field < 0)
    return;
  auto& pick = gFrmGezz1Form();
  pick.Gezz1List.Clear();
  state.gGazetteerPickState = 0;

  // The type of the field named now, not of the last one clicked: a field chosen by the layer
  // choice alone raised no click.
  field_type_ = chosen_field_type();
  const bool text_field = field_type_ == host::field_string;
  // A number field is looked up by the number typed, a decimal comma read as the point.
  if (!text_field)
    value = TypedNumberText(value).value_or(value);
  const auto clause = FieldEqualsFilter(field_name, value, text_field);
  if (!clause) {
    show_message("Invalid data. Enter a number ", "Envalid entries", forms::Icon::Critical);
    return;
  }
  const auto filter = create<host::HostQueryFilter>(host::QueryFilterClass);
  filter->SetWhereClause(*clause);
  const auto table = require_as<host::HostTable>(features, "feature table");
  com::ComPtr<host::HostSelectionSet> selection;
  check_call(table->Select(filter.get(), &selection), "Select");
  const auto ids = require(selection, "Select")->IDs();

  std::int32_t chosen = 0;
  if (ids.size() == 1) {
    chosen = ids.front();
  } else {
    if (!list_candidates(*features, ids, value, field))
      return;
    SetEnabled(false);
    pick.Show(forms::ShowMode::Modal);
    SetEnabled(true);
    // Closing the pick list by its frame picks nothing, as CANCEL does.
    if (state.gGazetteerPickState != 1)
      return;
    chosen = match_ids_[state.gGazetteerPickIndex];
  }
  if (!add_stop(*features, chosen, field))
    return;
  update_buttons();
}

bool FrmGezetted::refuse_without_fields() {
  if (Combo2.ListCount() > 0)
    return false;
  show_message("The layer " + Combo1.Text() +
                   " has no field to find the stops by: its table holds nothing but the "
                   "features' ids. Choose another layer, or add a field with the places' names "
                   "to its table.",
               "Field not found", forms::Icon::Exclamation);
  return true;
}

bool FrmGezetted::list_candidates(host::HostFeatureClass& features,
                                  const std::vector<std::int32_t>& exact_ids,
                                  const std::string& value, int field) {
  auto& pick = gFrmGezz1Form();
  const auto add = [&](std::int32_t id, const std::string& text) {
    // The pick list holds as many candidates as the id table has rows.
    if (pick.Gezz1List.ListCount() > match_ids_.upper())
      return;
    match_ids_[pick.Gezz1List.ListCount()] = id;
    pick.Gezz1List.AddItem(text);
  };
  for (const auto id : exact_ids) {
    com::ComPtr<host::HostFeature> feature;
    check_call(features.GetFeature(id, &feature), "GetFeature");
    add(id, value_text(*require(feature, "GetFeature"), field));
  }
  if (!exact_ids.empty())
    return true;

  const std::string wanted = folded(value);
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features.Search(nullptr, false, &cursor), "Search");
  com::ComPtr<host::HostFeature> feature;
  while (require(cursor, "Search")->NextFeature(&feature) == com::S_OK && feature) {
    const std::string text = value_text(*feature, field);
    if (folded(trim_blanks(text)).find(wanted) != std::string::npos)
      add(feature->OID(), text);
  }
  const int found = pick.Gezz1List.ListCount();
  if (found == 0) {
    show_message("No data found", "Data Not Found", forms::Icon::Information);
    return false;
  }
  pick.Label1.SetCaption(std::to_string(found) + " Records containing input value found");
  return true;
}

bool FrmGezetted::add_stop(host::HostFeatureClass& features, std::int32_t id, int field) {
  auto& state = shared_state();
  if (stop_count_ >= state.gGazetteerStops.upper()) {
    show_message("A route takes at most " + std::to_string(state.gGazetteerStops.upper()) +
                     " stops",
                 "Too many stops", forms::Icon::Exclamation);
    return false;
  }
  com::ComPtr<host::HostFeature> feature;
  check_call(features.GetFeature(id, &feature), "GetFeature");
  const auto shape = require(feature, "GetFeature")->ShapeCopy();
  const auto point = shape ? shape.as<host::HostPoint>() : nullptr;
  if (!point || point->IsEmpty()) {
    show_message("Corrupt data found", "Corrupt data", forms::Icon::Critical);
    state.gGazetteerCancelled = 1;
    Unload();
    return false;
  }
  if (!HasFiniteCoordinates(*point)) {
    show_message(NotFinitePointText(features.AliasName(), id), "Corrupt data",
                 forms::Icon::Critical);
    return true;
  }
  const std::string entry = value_text(*feature, field);
  List1.AddItem(List1.ListCount() == 0 ? entry + std::string(StartMark) : entry);
  ++stop_count_;
  state.gGazetteerStops[stop_count_] = {point->X(), point->Y()};

  auto& base = *require(state.gNetBase, "NetBase");
  const auto node = SnapToNetworkNode(base, point->X(), point->Y(), state.gEngineResult);
  if (!node) {
    List1.RemoveItem(List1.ListCount() - 1);
    --stop_count_;
    return true;
  }
  stop_nodes_[stop_count_] = *node;
  if (stop_count_ > 1 && *node == stop_nodes_[stop_count_ - 1]) {
    show_message("Same location selected", "Same Location", forms::Icon::Exclamation);
    List1.RemoveItem(List1.ListCount() - 1);
    --stop_count_;
  }
  return true;
}

void FrmGezetted::CmdDelete_Click() {
  auto& state = shared_state();
  if (List1.ListCount() == 0) {
    show_message("No records to be deleted", "Error", forms::Icon::Critical);
    return;
  }
  const int p = List1.ListIndex();
  if (p < 0) {
    show_message("Select the record to be deleted", "Select Record", forms::Icon::Information);
    return;
  }
  if (p == 0 && List1.ListCount() > 1 && !trim_blanks(List1.List(1)).empty())
    List1.SetList(1, List1.List(1) + std::string(StartMark));
  for (std::int32_t k = p + 1; k <= stop_count_ - 1; ++k) {
    state.gGazetteerStops[k] = state.gGazetteerStops[k + 1];
    stop_nodes_[k] = stop_nodes_[k + 1];
  }
  --stop_count_;
  List1.RemoveItem(p);
  update_buttons();
}

void FrmGezetted::CmdOk_Click() {
  auto& state = shared_state();
  if (refuse_without_fields())
    return;
  if (List1.ListCount() < 2) {
    show_message("Atleast 2 points are required to calculate route", "Insufficient Data",
                 forms::Icon::Information);
    return;
  }
  if (!OptOptimise.Value()) {
    state.gGazetteerMode = 0;
  } else {
    // Two stops at one node make a tour visit one place twice; the user is told, not stopped.
    if (List1.ListCount() > 3 && state.gUseDescField == 1)
      for (std::int32_t i = 1; i <= stop_count_ - 1; ++i)
        for (std::int32_t j = i + 1; j <= stop_count_; ++j)
          if (stop_nodes_[i] == stop_nodes_[j]) {
            show_message("Same location selected", "Same Location", forms::Icon::Exclamation);
            List1.SetListIndex(j - 1);
            break;
          }
    state.gGazetteerMode = 1;
  }
  state.gGazetteerStopCount = stop_count_;
  state.gGazetteerHasStops = 1;
  for (int r = 0; r < List1.ListCount(); ++r)
    state.gGazetteerLabels[r] = {List1.List(r), r + 1};
  fields_filled_ = false;
  Unload();
}

void FrmGezetted::CmdCancel_Click() {
  shared_state().gGazetteerHasStops = 0;
  fields_filled_ = false;
  Unload();
}

void FrmGezetted::update_buttons() {
  const bool has_stops = List1.ListCount() > 0;
  CmdOk.SetEnabled(has_stops);
  CmdDelete.SetEnabled(has_stops);
}

FrmGezetted& gFrmGezettedForm() {
  thread_local FrmGezetted form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmGezetted> registered_frmgezetted;
} // namespace

} // namespace corvane
