#include "common/centre_zones.h"

#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/send_stops.h"
#include "common/zone_breaks.h"
#include "common/zone_polygon_output.h"
#include "host/geometry.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr int real_digits = 11;

com::ComPtr<host::HostFieldEdit> new_field(const std::string& name, int type) {
  const auto field = create<host::HostFieldEdit>(host::FieldClass);
  field->SetName(name);
  field->SetAliasName(name);
  field->SetType(type);
  return field;
}

com::ComPtr<host::HostField> zone_field(const OutputField& declared) {
  const auto field = new_field(std::string(declared.name), declared.type);
  field->SetLength(declared.length);
  field->SetPrecision(real_digits);
  field->SetScale(real_digits);
  return field;
}

} // namespace

com::ComPtr<host::HostField> CopiedFieldDefinition(host::HostField& source) {
  const int type = source.Type();
  const auto field = new_field(source.Name(), type);
  if (type != host::field_date)
    field->SetLength(source.Length());
  if (type == host::field_single || type == host::field_double) {
    field->SetPrecision(real_digits);
    field->SetScale(real_digits);
  } else if (type == host::field_small_integer || type == host::field_integer) {
    field->SetPrecision(real_digits);
  }
  return field;
}

com::ComPtr<host::HostFeatureClass> CreateCentreZoneClass(std::string_view name,
                                                          host::HostField* carried) {
  const auto fields = create<host::HostFieldsEdit>(host::FieldsClass);
  fields->AddField(new_field("FID", host::field_oid).get());
  const auto definition = create<host::HostGeometryDefEdit>(host::GeometryDefClass);
  definition->SetGeometryType(host::geometry_polygon);
  definition->SetGridCount(1);
  definition->SetGridSize(0, 200.0);
  const auto shape = create<host::HostFieldEdit>(host::FieldClass);
  shape->SetName("Shape");
  shape->SetType(host::field_geometry);
  shape->SetGeometryDef(definition.get());
  fields->AddField(shape.get());
  if (carried)
    fields->AddField(carried);
  for (const auto& declared : CentreZoneFields)
    fields->AddField(zone_field(declared).get());
  com::ComPtr<host::HostFeatureClass> created;
  check_call(OpenNetworkWorkspace()->CreateFeatureClass(std::string(name), fields.get(), 1, "Shape",
                                                        "", &created),
             "CreateFeatureClass");
  return require(created, "CreateFeatureClass");
}

CentreZoneWriter::CentreZoneWriter(tamix::NetCalc& calc, host::HostFeatureClass& output,
                                   std::string_view per_centre, ClipExtent extent,
                                   const std::string& carried_field)
    : calc_(calc), per_centre_(per_centre), workspace_(OpenNetworkWorkspace()), extent_(extent),
      cut_(extent.min_x != 0 || extent.min_y != 0 || extent.max_x != 0 || extent.max_y != 0),
      carried_(carried_field.empty() ? -1 : output.FindField(carried_field)),
      cost_start_(output.FindField(std::string(CentreZoneFields[0].name))),
      cost_end_(output.FindField(std::string(CentreZoneFields[1].name))),
      id_(output.FindField(std::string(CentreZoneFields[2].name))) {
  // The engine writes each centre's zones over this name.
  RequireOwnOrNoSet(per_centre);
  check_call(output.Insert(true, &inserter_), "FeatureClass.Insert");
  require(inserter_, "FeatureClass.Insert");
  check_call(output.CreateFeatureBuffer(&buffer_), "FeatureClass.CreateFeatureBuffer");
  require(buffer_, "FeatureClass.CreateFeatureBuffer");
  SendZoneBreaks(calc_);
}

CentreZoneWriter::Appended CentreZoneWriter::append(std::int32_t node, double id,
                                                    const com::Variant& carried) {
  auto& state = shared_state();
  // A centre the engine fails on must not find the zones of the one before it. The set under
  // this name was let pass as the system's own when the writer was made, and only the engine's
  // runs write it since: it is not recognised again for every centre.
  DeleteOwnNetworkShapefile(per_centre_);
  WriteZonePolygonFile(calc_, per_centre_, SendStops(calc_, {node}), extent_);
  if (state.gEngineResult != 0)
    return Appended::EngineFailed;
  const auto zones = open_feature_class(workspace_.get(), per_centre_);
  std::int32_t count = 0;
  check_call(zones->FeatureCount(nullptr, &count), "FeatureCount");
  // The engine writes one zone per break, the largest first; zone k pairs with limit k. A file
  // of more zones than breaks is not trusted beyond the breaks.
  for (std::int32_t k = 0, oid = count - 1; oid >= 0 && k < state.gZoneCount; --oid, ++k) {
    com::ComPtr<host::HostFeature> zone;
    check_call(zones->GetFeature(oid, &zone), "GetFeature");
    const auto shape = require(zone, "GetFeature")->ShapeCopy();
    if (!shape || shape->IsEmpty()) {
      // A ring with nothing beyond the zone before it, or a zone the clip extent cut away,
      // has no area of its own: it is left out. Any other zone always has one.
      if (cut_ || state.gDoughnut)
        continue;
      return Appended::ZoneWithoutShape;
    }
    buffer_->SetShape(shape.get());
    check_call(buffer_->SetValue(cost_start_, state.gDoughnut ? state.gZoneValues[k] : 0.0F),
               "SetValue");
    check_call(buffer_->SetValue(cost_end_, state.gZoneValues[k + 1]), "SetValue");
    check_call(buffer_->SetValue(id_, id), "SetValue");
    if (carried_ >= 0)
      check_call(buffer_->SetValue(carried_, carried), "SetValue");
    check_call(inserter_->InsertFeature(buffer_.get(), nullptr), "InsertFeature");
  }
  return Appended::Zones;
}

void CentreZoneWriter::flush() {
  check_call(inserter_->Flush(), "FeatureCursor.Flush");
}

} // namespace corvane
