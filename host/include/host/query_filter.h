#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/geometry.h"

namespace host {

// Selects rows by attribute. The where clause is a small, safely parsed language:
//   comparison := field op value        op: = <> < > <= >=
//   field      := name | "any name" ("" stands for one double quote)
//   value      := number | 'text' ('' stands for one quote)
//   clause     := comparison, combined with AND, OR (AND binds tighter) and parentheses,
//                 nested at most 100 deep.
// A bare name is letters, digits and "_", not starting with a digit and not a keyword; any
// other name (OR, 1ST, a blank, a letter beyond ASCII) is written in double quotes. Numbers
// are the plain grammar: sign, digits, fraction, exponent ("-5", ".5", "1.", "1e3").
// Field names and keywords are matched without regard to letter case; blanks are optional
// between tokens and may trail. An empty clause selects every row. A clause outside this
// language, or naming a field the table does not have, makes the search fail (E_INVALIDARG).
struct HostQueryFilter : com::IUnknown {
  COM_INTERFACE(HostQueryFilter, com::IUnknown, "27AC7541-931E-42F0-B289-D2E38143EB9F")
  virtual std::string WhereClause() = 0;
  virtual void SetWhereClause(const std::string& clause) = 0;
  // The fields a search fetches: names separated by commas (blanks around a name and letter
  // case do not matter), or "*" for all of them, the default (so is an empty text). The object
  // id is always fetched, the shape only when the shape field is named: a pass that needs
  // the shapes alone asks for "Shape" and is spared reading and converting every value. The
  // rows of the search keep all the table's fields at their indexes; a field not fetched reads
  // as Empty (the shape as null) and is written by Store only when it was set. The where
  // clause sees every field whatever is fetched. A name the table does not have makes the
  // search fail (E_INVALIDARG).
  virtual std::string SubFields() = 0;
  virtual void SetSubFields(const std::string& fields) = 0;
  // The coordinate system the shapes of `field` are handed out in; null = their own.
  virtual com::ComPtr<HostSpatialReference> OutputSpatialReference(const std::string& field) = 0;
  virtual void SetOutputSpatialReference(const std::string& field,
                                         HostSpatialReference* reference) = 0;
};

// Spatial relation codes. Only "intersects" is supported: a search with another code fails.
enum HostSpatialRelation : int {
  spatial_rel_undefined = 0,
  spatial_rel_intersects = 1,
};

// Selects features whose shape stands in SpatialRel to Geometry (and, when a where clause is
// given, matches it too). A filter geometry given in another coordinate system than the
// features' is projected into theirs first.
struct HostSpatialFilter : HostQueryFilter {
  COM_INTERFACE(HostSpatialFilter, HostQueryFilter, "D066578F-0678-4C9D-B6C1-65D7C7DA3DAB")
  virtual com::ComPtr<HostGeometry> Geometry() = 0;
  virtual void SetGeometry(HostGeometry* geometry) = 0;
  virtual int SpatialRel() = 0;
  virtual void SetSpatialRel(int relation) = 0;
  virtual std::string GeometryField() = 0;
  virtual void SetGeometryField(const std::string& field) = 0;
};

inline constexpr std::string_view QueryFilterClass = "esricore.QueryFilter";
inline constexpr std::string_view SpatialFilterClass = "esricore.SpatialFilter";

} // namespace host
