#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/fields.h"
#include "host/geometry.h"
#include "tamix/output_fields.h"

namespace corvane {

// The sets the add-in and the engine write under fixed names in the network folder, each
// declared once below: its name, the forms it is written in (the kind of its shapes and its
// fields) and its files. The writers take their fields from here, the removal its files, and the
// recognition both: a set found under one of those names is taken for the system's own output,
// and so may be deleted or replaced, only when it has one of that output's forms, so that a
// user's own "node.shp" is never lost to "Add Node Layer".

struct OutputField {
  std::string_view name;
  int type;   // host::field_*
  int length; // text width, or the width a number is written with (0: the writer's own)
};

// How an output's attribute fields are made.
enum class OutputFields {
  Exactly, // the declared fields and no other
  // A copy of the road layer's fields (the route's links, the dead ends): whatever the road layer
  // held when it was written, and always "CV_RESULT", which every calculation adds to it first.
  RoadCopy,
  // One field copied from the road layer, whichever it was (its first attribute field).
  OneRoadField,
  // Some of the declared fields, at least one, and at most one field carried over from the
  // clicked or batch point layer.
  Zones,
};

struct OutputForm {
  int shape_type; // host::geometry_*; geometry_null for a table alone
  OutputFields rule;
  std::span<const OutputField> fields;
};

// "Route.shp" with directions: one feature per direction row. "TotalTime" is wider in the tour
// over a point layer.
inline constexpr std::array<OutputField, 6> RouteDirectionFields{{
    {"Direction", host::field_string, 30},
    {"Desc", host::field_string, 50},
    {"Distance", host::field_double, 10},
    {"TotalDist", host::field_double, 10},
    {"Time", host::field_double, 10},
    {"TotalTime", host::field_double, 10},
}};

// "BatchRoute": one row per pair of points, the engine's output table.
inline constexpr std::array<OutputField, 5> BatchRouteFields{{
    {"FromPoint", host::field_string, 40},
    {"ToPoint", host::field_string, 50},
    {"Distance", host::field_double, 0},
    {"Time", host::field_double, 0},
    {"Comments", host::field_string, 50},
}};

// The add-in's zone polygons (copies, cuts and the batch zones): their limits and centre, beside
// at most one field of the centres' layer.
inline constexpr std::array<OutputField, 3> CentreZoneFields{{
    {"Cost_start", host::field_double, 30},
    {"Cost_end", host::field_double, 30},
    {tamix::output::centre_id_field, host::field_double, 30},
}};

// One output: its name, as its files are called, and the forms it is written in. It is made
// only at compile time and only with forms, so that no name can stand without them; it stands
// for its name wherever a set is named.
struct Output {
  std::string_view name;
  std::span<const OutputForm> forms;

  consteval Output(std::string_view output_name, std::span<const OutputForm> output_forms)
      : name(output_name), forms(output_forms) {
    if (name.empty() || forms.empty())
      throw "an output is declared with its name and at least one form";
  }
  constexpr operator std::string_view() const { return name; }
  friend constexpr bool operator==(const Output& output, std::string_view other) {
    return output.name == other;
  }
};

namespace output_forms {

// The engine's sets, whose field names it shares with the add-in. The widths are the engine's.
inline constexpr std::array<OutputField, 2> node_fields{{
    {tamix::output::node_id_field, host::field_integer, 0},
    {tamix::output::links_field, host::field_integer, 0},
}};
inline constexpr std::array<OutputField, 2> close_node_fields{{
    {tamix::output::node_id_field, host::field_integer, 0},
    {tamix::output::connected_field, host::field_integer, 0},
}};
// The zone polygons: the engine's with "COST_END" (or "ID" for nearest-centre zones), the
// add-in's copies and cuts with those or with its centre-zone fields.
inline constexpr std::array<OutputField, 4> zone_fields{{
    {tamix::output::cost_end_field, host::field_double, 0},
    CentreZoneFields[0],
    CentreZoneFields[1],
    CentreZoneFields[2],
}};

inline constexpr OutputForm road_copy{host::geometry_polyline, OutputFields::RoadCopy, {}};
inline constexpr OutputForm direction_lines{host::geometry_polyline, OutputFields::Exactly,
                                            RouteDirectionFields};

inline constexpr std::array<OutputForm, 1> nodes{
    {{host::geometry_point, OutputFields::Exactly, node_fields}}};
inline constexpr std::array<OutputForm, 1> close_nodes{
    {{host::geometry_point, OutputFields::Exactly, close_node_fields}}};
inline constexpr std::array<OutputForm, 1> road_links{{road_copy}};
inline constexpr std::array<OutputForm, 2> route{{direction_lines, road_copy}};
inline constexpr std::array<OutputForm, 1> route_view{
    {{host::geometry_polyline, OutputFields::OneRoadField, {}}}};
inline constexpr std::array<OutputForm, 2> batch_route{
    {{host::geometry_null, OutputFields::Exactly, BatchRouteFields},
     {host::geometry_polyline, OutputFields::Exactly, BatchRouteFields}}};
inline constexpr std::array<OutputForm, 1> zones{
    {{host::geometry_polygon, OutputFields::Zones, zone_fields}}};

} // namespace output_forms

// The outputs. A new one is declared here and listed in EveryOutput() (output_sets.cpp), by
// which a set is recognised from its name; a name missing there ends every handler that writes
// the set, so that its writer's tests fail.
inline constexpr Output RouteOutput{"Route", output_forms::route};
inline constexpr Output ViewRouteOutput{"ViewRoute", output_forms::route_view};
inline constexpr Output BatchRouteOutput{"BatchRoute", output_forms::batch_route};
inline constexpr Output BatchTspOutput{"BatchTSP", output_forms::route};
inline constexpr Output CulDeSacOutput{"CulDeSac", output_forms::road_links};
inline constexpr Output NodeOutput{tamix::output::node_set, output_forms::nodes};
inline constexpr Output CloseNodeOutput{tamix::output::close_node_set, output_forms::close_nodes};
// Deleted by the link isochrone tools where present; they hold copied links.
inline constexpr Output IsoLinkOutput{"IsoLink", output_forms::road_links};
inline constexpr Output BatchLayerOutput{"BatchLayer", output_forms::road_links};
// The zone polygons of the click tools, and the sets they pass through on the way.
inline constexpr Output IsoPolyOutput{"IsoPoly", output_forms::zones};
inline constexpr Output IsoPlyOutput{"IsoPly", output_forms::zones};
inline constexpr Output IsoPoly1Output{"IsoPoly1", output_forms::zones};
inline constexpr Output IsoPoly2Output{"IsoPoly2", output_forms::zones};
inline constexpr Output IsoPoly3Output{"IsoPoly3", output_forms::zones};
inline constexpr Output IpPolyOutput{"IpPoly", output_forms::zones};
// The batch isochrones' output, and the sets it passes through: the zones before their cut
// (1), the nearest-centre zones before their cut (2), each point's zones (3) and the zones of
// all points at once (BIsochrone). Any name starting "BatchIsochrone" is one of theirs.
inline constexpr Output BatchIsochroneOutput{"BatchIsochrone", output_forms::zones};
inline constexpr Output BatchIsochrone1Output{"BatchIsochrone1", output_forms::zones};
inline constexpr Output BatchIsochrone2Output{"BatchIsochrone2", output_forms::zones};
inline constexpr Output BatchIsochrone3Output{"BatchIsochrone3", output_forms::zones};
inline constexpr Output BIsochroneOutput{"BIsochrone", output_forms::zones};

// Whether `name` is one of the batch isochrones' names, letter case aside: "BatchIsochrone" with
// anything after it.
bool NamedLikeBatchIsochrone(std::string_view name);

// Every output above, once.
std::span<const Output* const> EveryOutput();

// The output called `name` (letter case aside, NamedLikeBatchIsochrone); empty when the name is
// none of the outputs'.
std::vector<OutputForm> OutputFormsOf(std::string_view name);

// The files an output set is written with and deleted with, by its forms: a ".dbf" table alone
// keeps no shapes. A name that is no output's ends the handler (HandlerEnd).
std::vector<std::string_view> OutputFilesOf(std::string_view name);

// Whether a set of `shape_type` with the attribute fields `fields` (object id and shape left out)
// is written in one of `forms`. Letter case and order aside.
bool MatchesOutputForm(const std::vector<OutputForm>& forms, int shape_type,
                       const std::vector<std::string>& fields);

// The forms as the user is told them: "polylines with the fields Direction, Desc, ..., or
// polylines with a copy of the road layer's fields, among them CV_RESULT".
std::string DescribeOutputForms(const std::vector<OutputForm>& forms);

// Whether the network folder holds a set named `name` that is not the system's own output of
// that name (or cannot be read to tell). Then the user has been told what was found there and
// which file to move or rename. False when there is no such set or it is the system's own. A
// removal or replacement of the set that a killed run decided is completed first, so that what
// is left of it is never taken for the user's. A name that is no output's ends the handler
// before the folder is looked at: that is the add-in's fault, not the user's set.
bool RefuseUserSet(std::string_view name);

// RefuseUserSet, ending the handler (ToldHandlerEnd) when it refuses: run before a set named `name`
// is deleted, emptied or written over.
void RequireOwnOrNoSet(std::string_view name);

} // namespace corvane
