#include "common/output_sets.h"

#include <algorithm>
#include <optional>

#include "com/letter_case.h"
#include "common/handler_end.h"
#include "common/network_workspace.h"
#include "common/show_message.h"
#include "host/geometry.h"
#include "network/result_field.h"
#include "network/shared_state.h"
#include "win/paths.h"

namespace corvane {

namespace {

// Every output in one place. The zone polygons are written by the engine with "COST_END" (or
// "ID" for nearest-centre zones), and by the add-in's copies and cuts with those fields or with
// "Cost_start", "Cost_end" and "ID" beside a field of the centre's layer.
const OutputForm zone_polygons{
    host::geometry_polygon, OutputFields::ZoneFields, {"COST_END", "Cost_start", "ID"}};
const OutputForm network_lines{host::geometry_polyline, OutputFields::NetworkFields, {}};
const OutputForm direction_lines{
    host::geometry_polyline,
    OutputFields::Exactly,
    {"Direction", "Desc", "Distance", "TotalDist", "Time", "TotalTime"}};
const std::vector<std::string_view> batch_route_fields{"FromPoint", "ToPoint", "Distance", "Time",
                                                       "Comments"};

struct NamedOutput {
  std::string_view name;
  std::vector<OutputForm> forms;
};

const std::vector<NamedOutput>& named_outputs() {
  static const std::vector<NamedOutput> outputs{
      {"node", {{host::geometry_point, OutputFields::Exactly, {"NODE_ID", "LINKS"}}}},
      {"closenodes", {{host::geometry_point, OutputFields::Exactly, {"NODE_ID", "Connected"}}}},
      {"CulDeSac", {network_lines}},
      {"Route", {direction_lines, network_lines}},
      {"BatchTSP", {direction_lines, network_lines}},
      {"ViewRoute", {network_lines}},
      // Deleted by the link isochrone tools where present; they hold copied links.
      {"IsoLink", {network_lines}},
      {"BatchLayer", {network_lines}},
      {"BatchRoute",
       {{host::geometry_null, OutputFields::Exactly, batch_route_fields},
        {host::geometry_polyline, OutputFields::Exactly, batch_route_fields}}},
      {"IsoPoly", {zone_polygons}},
      {"IsoPly", {zone_polygons}},
      {"IsoPoly1", {zone_polygons}},
      {"IsoPoly2", {zone_polygons}},
      {"IsoPoly3", {zone_polygons}},
      {"IpPoly", {zone_polygons}},
      {"BIsochrone", {zone_polygons}},
  };
  return outputs;
}

// The batch isochrones write and delete "BatchIsochrone" with anything after it.
constexpr std::string_view batch_isochrone_prefix = "BatchIsochrone";

bool is_one_of(const std::vector<std::string_view>& names, std::string_view name) {
  return std::ranges::any_of(
      names, [&](std::string_view known) { return com::equal_ignoring_case(known, name); });
}

bool same_names(std::vector<std::string_view> wanted, const std::vector<std::string>& fields) {
  if (wanted.size() != fields.size())
    return false;
  return std::ranges::all_of(fields, [&](const std::string& field) {
    const auto found = std::ranges::find_if(
        wanted, [&](std::string_view name) { return com::equal_ignoring_case(name, field); });
    if (found == wanted.end())
      return false;
    wanted.erase(found);
    return true;
  });
}

bool matches(const OutputForm& form, const std::vector<std::string>& fields,
             const std::vector<std::string>& network_fields) {
  switch (form.rule) {
  case OutputFields::Exactly:
    return same_names(form.fields, fields);
  case OutputFields::ZoneFields: {
    const auto own = std::ranges::count_if(
        fields, [&](const std::string& field) { return is_one_of(form.fields, field); });
    const auto carried = std::ptrdiff_t(fields.size()) - own;
    return own > 0 && carried <= 1;
  }
  case OutputFields::NetworkFields: {
    std::vector<std::string_view> known(network_fields.begin(), network_fields.end());
    known.push_back(ResultFieldName);
    return !fields.empty() && std::ranges::all_of(fields, [&](const std::string& field) {
      return is_one_of(known, field);
    });
  }
  }
  return false;
}

std::vector<std::string> attribute_fields(host::HostFields* fields) {
  std::vector<std::string> names;
  for (int i = 0; fields && i < fields->FieldCount(); ++i) {
    const auto field = fields->Field(i);
    if (field && field->Type() != host::field_oid && field->Type() != host::field_geometry)
      names.push_back(field->Name());
  }
  return names;
}

struct FoundSet {
  std::string file;              // the file the user is shown
  std::optional<int> shape_type; // none when the set cannot be read
  std::vector<std::string> fields;
};

std::optional<FoundSet> find_set(host::HostFeatureWorkspace* workspace, std::string_view name) {
  const auto& folder = shared_state().gNetworkFolder;
  const auto named = std::string(name);
  const auto as_workspace = require_as<host::HostWorkspace>(
      com::ComPtr<host::HostFeatureWorkspace>(workspace), "workspace");
  if (as_workspace->Exists(named + ".shp")) {
    FoundSet set{win::join_path(folder, named + ".shp"), std::nullopt, {}};
    com::ComPtr<host::HostFeatureClass> features;
    if (com::SUCCEEDED(workspace->OpenFeatureClass(named, &features)) && features) {
      set.shape_type = features->ShapeType();
      set.fields = attribute_fields(features->Fields().get());
    }
    return set;
  }
  if (as_workspace->Exists(named + ".dbf")) {
    FoundSet set{win::join_path(folder, named + ".dbf"), std::nullopt, {}};
    com::ComPtr<host::HostTable> table;
    if (com::SUCCEEDED(workspace->OpenTable(named, &table)) && table) {
      set.shape_type = host::geometry_null;
      set.fields = attribute_fields(table->Fields().get());
    }
    return set;
  }
  return std::nullopt;
}

std::vector<std::string> network_fields(host::HostFeatureWorkspace* workspace) {
  com::ComPtr<host::HostFeatureClass> network;
  if (com::FAILED(workspace->OpenFeatureClass(shared_state().gNetworkLayerName, &network)) ||
      !network)
    return {};
  return attribute_fields(network->Fields().get());
}

} // namespace

std::vector<OutputForm> OutputFormsOf(std::string_view name) {
  for (const auto& output : named_outputs())
    if (com::equal_ignoring_case(output.name, name))
      return output.forms;
  if (name.size() >= batch_isochrone_prefix.size() &&
      com::equal_ignoring_case(name.substr(0, batch_isochrone_prefix.size()),
                               batch_isochrone_prefix))
    return {zone_polygons};
  return {};
}

bool MatchesOutputForm(const std::vector<OutputForm>& forms, int shape_type,
                       const std::vector<std::string>& fields,
                       const std::vector<std::string>& network_fields) {
  return std::ranges::any_of(forms, [&](const OutputForm& form) {
    return form.shape_type == shape_type && matches(form, fields, network_fields);
  });
}

bool RefuseUserSet(std::string_view name) {
  const auto workspace = OpenNetworkWorkspace();
  const auto set = find_set(workspace.get(), name);
  if (!set)
    return false;
  if (set->shape_type && MatchesOutputForm(OutputFormsOf(name), *set->shape_type, set->fields,
                                           network_fields(workspace.get())))
    return false;
  show_message(set->file + " is not a file that Corvane wrote, and Corvane writes its " +
                   std::string(name) +
                   " output under that name. Move or rename the file, then try again.",
               "Output File", forms::Icon::Exclamation);
  return true;
}

void RequireOwnOrNoSet(std::string_view name) {
  if (RefuseUserSet(name))
    throw ToldHandlerEnd("a set of the user's stands under the output name " + std::string(name));
}

} // namespace corvane
