#include "common/output_sets.h"

#include <algorithm>
#include <optional>

#include "com/error_info.h"
#include "com/letter_case.h"
#include "common/feature_copies.h"
#include "common/network_workspace.h"
#include "common/result_field.h"
#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/paths.h"

namespace corvane {

namespace {

constexpr std::string_view shapefile_files[] = {".shp", ".shx", ".dbf", ".prj", ".cpg"};
constexpr std::string_view table_files[] = {".dbf", ".cpg"};

bool is_declared(std::span<const OutputField> declared, std::string_view name) {
  return std::ranges::any_of(declared, [&](const OutputField& field) {
    return com::equal_ignoring_case(field.name, name);
  });
}

bool same_names(std::span<const OutputField> declared, const std::vector<std::string>& fields) {
  if (declared.size() != fields.size())
    return false;
  std::vector<bool> used(declared.size(), false);
  return std::ranges::all_of(fields, [&](const std::string& field) -> bool {
    for (std::size_t i = 0; i < declared.size(); ++i)
      if (!used[i] && com::equal_ignoring_case(declared[i].name, field))
        return used[i] = true;
    return false;
  });
}

bool matches(const OutputForm& form, const std::vector<std::string>& fields) {
  switch (form.rule) {
  case OutputFields::Exactly:
    return same_names(form.fields, fields);
  case OutputFields::RoadCopy:
    return std::ranges::any_of(fields, [](const std::string& field) {
      return com::equal_ignoring_case(field, ResultFieldName);
    });
  case OutputFields::OneRoadField:
    return fields.size() == 1;
  case OutputFields::Zones: {
    const auto own = std::ranges::count_if(
        fields, [&](const std::string& field) { return is_declared(form.fields, field); });
    const auto carried = std::ptrdiff_t(fields.size()) - own;
    return own > 0 && carried <= 1;
  }
  }
  return false;
}

std::string shapes_of(int shape_type) {
  switch (shape_type) {
  case host::geometry_null:
    return "a table";
  case host::geometry_point:
    return "points";
  case host::geometry_multipoint:
    return "multipoints";
  case host::geometry_polyline:
    return "polylines";
  case host::geometry_polygon:
    return "polygons";
  }
  return "shapes of type " + std::to_string(shape_type);
}

template <class Names> std::string listed(const Names& names) {
  std::string text;
  for (const auto& name : names)
    text += (text.empty() ? "" : ", ") + std::string(name);
  return text;
}

std::string fields_text(const std::vector<std::string>& fields) {
  if (fields.empty())
    return "no field";
  return (fields.size() == 1 ? "the field " : "the fields ") + listed(fields);
}

std::string form_text(const OutputForm& form) {
  std::vector<std::string_view> names;
  for (const auto& field : form.fields)
    names.push_back(field.name);
  const std::string shapes = shapes_of(form.shape_type);
  switch (form.rule) {
  case OutputFields::Exactly:
    return shapes + " with the fields " + listed(names);
  case OutputFields::RoadCopy:
    return shapes + " with a copy of the road layer's fields, among them " +
           std::string(ResultFieldName);
  case OutputFields::OneRoadField:
    return shapes + " with one field of the road layer";
  case OutputFields::Zones:
    return shapes + " with some of the fields " + listed(names) +
           " and at most one field of a point layer";
  }
  return shapes;
}

std::vector<std::string> attribute_fields(host::HostFields* fields) {
  std::vector<std::string> names;
  for (int i = 0; fields && i < fields->FieldCount(); ++i) {
    const auto field = fields->Field(i);
    if (field && !IsIdOrShape(*field))
      names.push_back(field->Name());
  }
  return names;
}

struct FoundSet {
  std::string file;              // the file the user is shown
  std::optional<int> shape_type; // none when the set cannot be read
  std::vector<std::string> fields;
  // Why it cannot be read when that is the set's record ("NAME.replacing", damaged): what the
  // user is to mend, in place of the set.
  std::string record_damage = {};
};

// Asking the workspace whether the set exists completes a removal or replacement of it that a
// killed run decided: what is then found is whole.
std::optional<FoundSet> find_set(host::HostFeatureWorkspace* workspace, std::string_view name) {
  const auto& folder = shared_state().gNetworkFolder;
  const auto named = std::string(name);
  const auto as_workspace = require_as<host::HostWorkspace>(
      com::ComPtr<host::HostFeatureWorkspace>(workspace), "workspace");
  if (!as_workspace->Exists(named))
    return std::nullopt;
  com::ComPtr<host::HostFeatureClass> features;
  if (com::SUCCEEDED(workspace->OpenFeatureClass(named, &features)) && features)
    return FoundSet{win::join_path(folder, named + ".shp"), features->ShapeType(),
                    attribute_fields(features->Fields().get())};
  com::ComPtr<host::HostTable> table;
  if (!as_workspace->Exists(named + ".shp") &&
      com::SUCCEEDED(workspace->OpenTable(named, &table)) && table)
    return FoundSet{win::join_path(folder, named + ".dbf"), host::geometry_null,
                    attribute_fields(table->Fields().get())};
  std::string reason = com::TakeErrorInfo();
  if (reason.find(named + ".replacing") == std::string::npos)
    reason.clear();
  const bool shapes = as_workspace->Exists(named + ".shp");
  return FoundSet{win::join_path(folder, named + (shapes ? ".shp" : ".dbf")),
                  std::nullopt,
                  {},
                  std::move(reason)};
}

std::string found_text(const FoundSet& set) {
  if (!set.shape_type)
    return set.file + " cannot be read as a shapefile";
  return set.file + " holds " + shapes_of(*set.shape_type) + " with " + fields_text(set.fields);
}

// The forms of the output `name`. A name that is no output's is the add-in's own fault, never the
// user's: the handler ends before anything is deleted or written under it.
std::vector<OutputForm> declared_forms(std::string_view name);

} // namespace

bool NamedLikeBatchIsochrone(std::string_view name) {
  const std::string_view batch = BatchIsochroneOutput;
  return name.size() >= batch.size() &&
         com::equal_ignoring_case(name.substr(0, batch.size()), batch);
}

std::span<const Output* const> EveryOutput() {
  static constexpr const Output* outputs[] = {
      &RouteOutput,           &ViewRouteOutput,       &BatchRouteOutput,
      &BatchTspOutput,        &CulDeSacOutput,        &NodeOutput,
      &CloseNodeOutput,       &IsoLinkOutput,         &BatchLayerOutput,
      &IsoPolyOutput,         &IsoPlyOutput,          &IsoPoly1Output,
      &IsoPoly2Output,        &IsoPoly3Output,        &IpPolyOutput,
      &BatchIsochroneOutput,  &BatchIsochrone1Output, &BatchIsochrone2Output,
      &BatchIsochrone3Output, &BIsochroneOutput,
  };
  return outputs;
}

std::vector<OutputForm> OutputFormsOf(std::string_view name) {
  std::span<const OutputForm> forms;
  for (const Output* output : EveryOutput())
    if (com::equal_ignoring_case(output->name, name))
      forms = output->forms;
  if (forms.empty() && NamedLikeBatchIsochrone(name))
    forms = BatchIsochroneOutput.forms;
  return {forms.begin(), forms.end()};
}

std::vector<std::string_view> OutputFilesOf(std::string_view name) {
  const auto forms = declared_forms(name);
  const bool shapes = std::ranges::any_of(
      forms, [](const OutputForm& form) { return form.shape_type != host::geometry_null; });
  if (shapes)
    return {std::begin(shapefile_files), std::end(shapefile_files)};
  return {std::begin(table_files), std::end(table_files)};
}

namespace {

std::vector<OutputForm> declared_forms(std::string_view name) {
  auto forms = OutputFormsOf(name);
  if (forms.empty())
    throw HandlerEnd("no output is declared under the name " + std::string(name));
  return forms;
}

} // namespace

bool MatchesOutputForm(const std::vector<OutputForm>& forms, int shape_type,
                       const std::vector<std::string>& fields) {
  return std::ranges::any_of(forms, [&](const OutputForm& form) {
    return form.shape_type == shape_type && matches(form, fields);
  });
}

std::string DescribeOutputForms(const std::vector<OutputForm>& forms) {
  std::string text;
  for (const auto& form : forms)
    text += (text.empty() ? "" : ", or ") + form_text(form);
  return text;
}

bool RefuseUserSet(std::string_view name) {
  const auto forms = declared_forms(name);
  const auto workspace = OpenNetworkWorkspace();
  const auto set = find_set(workspace.get(), name);
  if (!set || (set->shape_type && MatchesOutputForm(forms, *set->shape_type, set->fields)))
    return false;
  if (!set->record_damage.empty()) {
    show_message(set->record_damage, "Output File", forms::Icon::Exclamation);
    return true;
  }
  show_message(found_text(*set) + "; Corvane's " + std::string(name) + " output holds " +
                   DescribeOutputForms(forms) +
                   ". Corvane writes that output under this name: move or rename the file, then "
                   "try again.",
               "Output File", forms::Icon::Exclamation);
  return true;
}

void RequireOwnOrNoSet(std::string_view name) {
  if (RefuseUserSet(name))
    throw ToldHandlerEnd("a set of the user's stands under the output name " + std::string(name));
}

} // namespace corvane
