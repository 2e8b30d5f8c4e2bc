#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/unknown.h"
#include "com/variant.h"
#include "common/clip_layer.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "host/table.h"
#include "host/workspace.h"
#include "tamix/net_calc.h"

namespace corvane {

// Zone polygons gathered centre by centre, so that the zones of different centres may overlap:
// the multi-centre polygon tool and the batch isochrones with overlap.

// A copy of the definition of `source` (a point layer's field) under its own name, to carry
// that field's values into an output: the same type and length, numbers with precision 11
// (integers) or precision and scale 11 (reals, stored as N(19,11)).
com::ComPtr<host::HostField> CopiedFieldDefinition(host::HostField& source);

// Creates the polygon shapefile `name` in the network folder, without a coordinate system of
// its own (the network's ".prj" is copied beside it first): "FID", "Shape", `carried` when
// given, then the doubles "Cost_start" (the inner limit of a ring, else 0), "Cost_end" (the
// zone's limit) and "ID" (the centre). A failing host call ends the handler.
com::ComPtr<host::HostFeatureClass> CreateCentreZoneClass(std::string_view name,
                                                          host::HostField* carried = nullptr);

// Appends the zones of one centre at a time to a class made by CreateCentreZoneClass.
class CentreZoneWriter {
public:
  // `calc` writes each centre's zones as the shapefile `per_centre` of the network folder, cut
  // to `extent`; the zone list goes to it as its breaks here, once for every centre.
  // `carried_field` names the carried field of `output`, if it has one.
  CentreZoneWriter(tamix::NetCalc& calc, host::HostFeatureClass& output,
                   std::string_view per_centre, ClipExtent extent,
                   const std::string& carried_field = {});

  // One engine run from `node` (stop 1), into a file of its own (any earlier one deleted
  // first): its zones, at most gZoneCount, from the innermost outward, with `id` in "ID" and
  // `carried` in the carried field. A ring (with doughnuts) or a zone cut to a clip extent may
  // have no area of its own and is left out; any other zone without a shape stops the append
  // there (ZoneWithoutShape, the zones before it written). When the engine reports a failure
  // (its code in gEngineResult) the centre adds no zone (EngineFailed).
  enum class Appended { Zones, ZoneWithoutShape, EngineFailed };
  Appended append(std::int32_t node, double id, const com::Variant& carried = {});
  // Writes what is buffered; the class holds every zone appended.
  void flush();

private:
  tamix::NetCalc& calc_;
  std::string per_centre_;
  com::ComPtr<host::HostFeatureWorkspace> workspace_;
  ClipExtent extent_;
  bool cut_;
  int carried_ = -1;
  int cost_start_;
  int cost_end_;
  int id_;
  com::ComPtr<host::HostFeatureCursor> inserter_;
  com::ComPtr<host::HostFeatureBuffer> buffer_;
};

} // namespace corvane
