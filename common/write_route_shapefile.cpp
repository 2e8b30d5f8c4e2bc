#include "common/write_route_shapefile.h"

#include "com/create.h"
#include "com/variant.h"
#include "common/feature_copies.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

com::ComPtr<host::HostFieldsEdit> new_fields() {
  return create<host::HostFieldsEdit>(host::FieldsClass);
}

com::ComPtr<host::HostField> field_at(host::HostFields& fields, int index) {
  return require(fields.Field(index), "field");
}

void set_text(host::HostFeatureBuffer& buffer, int index, std::string_view text) {
  const auto field = field_at(*buffer.Fields(), index);
  check_call(buffer.SetValue(index, com::Variant(cut_to_width(text, field->Length()))), "SetValue");
}

void set_number(host::HostFeatureBuffer& buffer, int index, float value) {
  check_call(buffer.SetValue(index, com::Variant(static_cast<double>(value))), "SetValue");
}

} // namespace

std::string cut_to_width(std::string_view text, int width) {
  if (width < 0 || text.size() <= static_cast<std::size_t>(width))
    return std::string(text);
  auto end = static_cast<std::size_t>(width);
  // Back off continuation bytes (10xxxxxx) so that no character is cut in half.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end));
}

com::ComPtr<host::HostFeatureClass> CreateRouteShapefile(host::HostFeatureWorkspace* workspace,
                                                         host::HostFeatureClass* network,
                                                         bool directions, int total_time_length,
                                                         std::string_view name) {
  const auto network_fields = require(network->Fields(), "Fields");
  const auto fields = new_fields();
  for (int i = 0; i < network_fields->FieldCount(); ++i) {
    const auto field = field_at(*network_fields, i);
    // With directions the network's attributes give way to the six direction fields.
    if (!directions || IsIdOrShape(*field))
      fields->AddField(field.get());
  }
  if (directions) {
    for (const auto& wanted : RouteDirectionFields) {
      const auto field = create<host::HostFieldEdit>(host::FieldClass);
      field->SetName(std::string(wanted.name));
      field->SetType(wanted.type);
      field->SetLength(&wanted == &RouteDirectionFields.back() ? total_time_length : wanted.length);
      fields->AddField(field.get());
    }
  }
  return CreateLikeNetwork(workspace, network, name, fields.get());
}

com::ComPtr<host::HostFeatureClass> CreateViewRouteShapefile(host::HostFeatureWorkspace* workspace,
                                                             host::HostFeatureClass* network,
                                                             std::string_view name) {
  const auto network_fields = require(network->Fields(), "Fields");
  const auto fields = new_fields();
  for (int i = 0; i < network_fields->FieldCount(); ++i) {
    const auto field = field_at(*network_fields, i);
    // Position 2 is the first attribute field of a shapefile (after "FID" and "Shape").
    if (IsIdOrShape(*field) || i == 2)
      fields->AddField(field.get());
  }
  return CreateLikeNetwork(workspace, network, name, fields.get());
}

void WriteRouteShapefile(host::HostFeatureClass* route, const BoundedTable<DirectionRow>& rows,
                         std::int32_t count,
                         const std::vector<com::ComPtr<host::HostGeometry>>& shapes,
                         std::int32_t route_type) {
  const auto cursor = InsertCursor(route);
  const auto buffer = NewFeatureBuffer(route);
  // The six fields in their declared order.
  const auto position = [&](std::size_t k) {
    return route->FindField(std::string(RouteDirectionFields[k].name));
  };
  const int direction = position(0), desc = position(1), distance = position(2),
            total_dist = position(3), time = position(4), total_time = position(5);
  for (std::int32_t r = 0; r < count; ++r) {
    const auto& row = rows[r];
    buffer->SetShape(shapes.at(static_cast<std::size_t>(r)).get());
    set_text(*buffer, direction, row.Direction);
    set_text(*buffer, desc, row.Desc);
    if (route_type == RouteShortest) {
      set_number(*buffer, distance, row.Distance);
      set_number(*buffer, total_dist, row.TotalDist);
      set_number(*buffer, time, row.Time);
      set_number(*buffer, total_time, row.TotalTime);
    } else if (route_type == RouteFastest) {
      set_number(*buffer, distance, row.Time);
      set_number(*buffer, total_dist, row.TotalTime);
      set_number(*buffer, time, row.Distance);
      set_number(*buffer, total_time, row.TotalDist);
    }
    check_call(cursor->InsertFeature(buffer.get(), nullptr), "InsertFeature");
  }
  check_call(cursor->Flush(), "Flush");
}

} // namespace corvane
