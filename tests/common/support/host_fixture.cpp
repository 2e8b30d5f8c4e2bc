#include "support/host_fixture.h"

#include <cstdlib>

#include "com/create.h"
#include "host/fields.h"
#include "host/row.h"
#include "host/workspace.h"
#include "network/state/shared_state.h"
#include "support/test_folder.h"

namespace corvane::testing {

namespace {

template <com::Interface I> com::ComPtr<I> make(std::string_view prog_id) {
  auto object = com::create_object<I>(prog_id);
  EXPECT_TRUE(object) << "cannot create " << prog_id;
  return object;
}

com::ComPtr<host::HostFields> shape_fields(int shape_type) {
  const auto definition = make<host::HostGeometryDefEdit>(host::GeometryDefClass);
  definition->SetGeometryType(shape_type);
  const auto shape = make<host::HostFieldEdit>(host::FieldClass);
  shape->SetName("Shape");
  shape->SetType(host::field_geometry);
  shape->SetGeometryDef(definition.get());
  const auto id = make<host::HostFieldEdit>(host::FieldClass);
  id->SetName("ID");
  id->SetType(host::field_integer);
  const auto fields = make<host::HostFieldsEdit>(host::FieldsClass);
  fields->AddField(shape.get());
  fields->AddField(id.get());
  return fields;
}

com::ComPtr<host::HostGeometry> geometry_of(int shape_type, const host::Path& shape) {
  switch (shape_type) {
  case host::geometry_point:
    return point(shape.at(0).x, shape.at(0).y);
  case host::geometry_polygon: {
    const auto polygon = make<host::HostPolygon>(host::PolygonClass);
    polygon->AddRing(shape);
    return polygon;
  }
  default:
    return polyline(shape);
  }
}

} // namespace

void HostTest::SetUp() {
  reset_shared_state();
  root_ = fresh_test_folder("addin");
  ::setenv("CORVANE_DRIVE_ROOT", (root_ / "drives").c_str(), 1);
  document_ = com::make<host::Document>();
}

void HostTest::TearDown() {
  reset_shared_state();
  document_ = nullptr;
  ::unsetenv("CORVANE_DRIVE_ROOT");
  std::filesystem::remove_all(root_);
}

std::string HostTest::path(std::string_view name) const {
  return (name.empty() ? root_ : root_ / name).string();
}

com::ComPtr<host::HostFeatureClass> HostTest::shapefile(std::string_view name, int shape_type,
                                                        const std::vector<host::Path>& shapes,
                                                        std::string_view subfolder) {
  const auto folder = subfolder.empty() ? root_ : root_ / subfolder;
  std::filesystem::create_directories(folder);
  const auto factory = make<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(folder.string(), 0, &workspace), com::S_OK);
  com::ComPtr<host::HostFeatureClass> features;
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->CreateFeatureClass(
                std::string(name), shape_fields(shape_type).get(), 1, "Shape", "", &features),
            com::S_OK);
  for (const auto& shape : shapes) {
    com::ComPtr<host::HostFeature> feature;
    EXPECT_EQ(features->CreateFeature(&feature), com::S_OK);
    feature->SetShape(geometry_of(shape_type, shape).get());
    EXPECT_EQ(feature->Store(), com::S_OK);
  }
  return features;
}

com::ComPtr<host::HostFeatureLayer>
HostTest::add_layer(const com::ComPtr<host::HostFeatureClass>& features, std::string_view name) {
  const auto layer = make<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(features.get());
  layer->SetName(std::string(name));
  EXPECT_EQ(map()->AddLayer(layer.get()), com::S_OK);
  return layer;
}

void set_zones(const std::vector<float>& limits) {
  auto& state = shared_state();
  state.gZoneCount = static_cast<std::int32_t>(limits.size());
  state.gZoneValues.reallocate(state.gZoneCount);
  state.gZoneMax = 0;
  for (std::size_t i = 0; i < limits.size(); ++i) {
    state.gZoneValues[static_cast<std::int32_t>(i + 1)] = limits[i];
    state.gZoneMax = limits[i];
  }
}

com::ComPtr<host::HostPoint> point(double x, double y) {
  const auto p = make<host::HostPoint>(host::PointClass);
  p->PutCoords(x, y);
  return p;
}

com::ComPtr<host::HostPolyline> polyline(const host::Path& path) {
  const auto line = make<host::HostPolyline>(host::PolylineClass);
  line->AddPath(path);
  return line;
}

} // namespace corvane::testing
