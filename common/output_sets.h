#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The shapefile sets the add-in and the engine write under fixed names in the network folder.
// A set found under one of those names is taken for the system's own output, and so may be
// deleted or replaced, only when its shape type and its fields are those an output of that name
// is written with: a user's own "node.shp" is never lost to "Add Node Layer".

// How an output's attribute fields are made.
enum class OutputFields {
  Exactly,       // the listed fields and no other
  ZoneFields,    // some of the listed fields, at least one, and at most one field carried over
                 // from the clicked or batch point layer
  NetworkFields, // fields of the network layer only (copied links, or the route's attributes)
};

struct OutputForm {
  int shape_type; // host::geometry_*; geometry_null for a table alone
  OutputFields rule;
  std::vector<std::string_view> fields; // names, matched without regard to letter case
};

// The forms an output named `name` (letter case aside) is written in; empty when the name is
// none of the outputs'.
std::vector<OutputForm> OutputFormsOf(std::string_view name);

// Whether a set of `shape_type` with the attribute fields `fields` (object id and shape left out)
// is written in one of `forms`; `network_fields` are the network layer's attribute fields.
bool MatchesOutputForm(const std::vector<OutputForm>& forms, int shape_type,
                       const std::vector<std::string>& fields,
                       const std::vector<std::string>& network_fields);

// Whether the network folder holds a set named `name` that is not the system's own output of
// that name (or cannot be read to tell). Then the user has been told which file to move or
// rename. False when there is no such set or it is the system's own.
bool RefuseUserSet(std::string_view name);

// RefuseUserSet, ending the handler (ToldHandlerEnd) when it refuses: run before a set named `name`
// is deleted, emptied or written over.
void RequireOwnOrNoSet(std::string_view name);

} // namespace corvane
