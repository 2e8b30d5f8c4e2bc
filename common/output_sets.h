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

// The outputs' names, as their files are called.
inline constexpr std::string_view RouteOutput = "Route";
inline constexpr std::string_view ViewRouteOutput = "ViewRoute";
inline constexpr std::string_view BatchRouteOutput = "BatchRoute";
inline constexpr std::string_view BatchTspOutput = "BatchTSP";
inline constexpr std::string_view CulDeSacOutput = "CulDeSac";
inline constexpr std::string_view NodeOutput = tamix::output::node_set;
inline constexpr std::string_view CloseNodeOutput = tamix::output::close_node_set;
// Deleted by the link isochrone tools where present.
inline constexpr std::string_view IsoLinkOutput = "IsoLink";
inline constexpr std::string_view BatchLayerOutput = "BatchLayer";
// The zone polygons of the click tools, and the sets they pass through on the way.
inline constexpr std::string_view IsoPolyOutput = "IsoPoly";
inline constexpr std::string_view IsoPlyOutput = "IsoPly";
inline constexpr std::string_view IsoPoly1Output = "IsoPoly1";
inline constexpr std::string_view IsoPoly2Output = "IsoPoly2";
inline constexpr std::string_view IsoPoly3Output = "IsoPoly3";
inline constexpr std::string_view IpPolyOutput = "IpPoly";
// The batch isochrones', and theirs; any name starting "BatchIsochrone" is one of theirs.
inline constexpr std::string_view BatchIsochroneOutput = "BatchIsochrone";
inline constexpr std::string_view BatchIsochrone1Output = "BatchIsochrone1";
inline constexpr std::string_view BatchIsochrone2Output = "BatchIsochrone2";
inline constexpr std::string_view BatchIsochrone3Output = "BatchIsochrone3";
inline constexpr std::string_view BIsochroneOutput = "BIsochrone";

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

// The output called `name` (letter case aside, "BatchIsochrone" with anything after it); empty
// when the name is none of the outputs'.
std::vector<OutputForm> OutputFormsOf(std::string_view name);

// The files an output set is written with and deleted with, by its forms: a ".dbf" table alone
// keeps no shapes.
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
// is left of it is never taken for the user's.
bool RefuseUserSet(std::string_view name);

// RefuseUserSet, ending the handler (ToldHandlerEnd) when it refuses: run before a set named `name`
// is deleted, emptied or written over.
void RequireOwnOrNoSet(std::string_view name);

} // namespace corvane
