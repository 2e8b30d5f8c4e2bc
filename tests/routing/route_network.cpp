#include "route_network.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "com/create.h"
#include "com/registration.h"
#include "command/app_path.h"
#include "host/active_view.h"
#include "host/cursor.h"
#include "host/element.h"
#include "host/fields.h"
#include "host/graphics_container.h"
#include "host/row.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "support/loaded_network_state.h"

namespace corvane::testing {

namespace {

// Host and engine objects; a class that cannot be made ends the test with its name.
template <com::Interface I> com::ComPtr<I> make(std::string_view prog_id) {
  return corvane::create<I>(prog_id);
}

com::ComPtr<host::HostField> field(std::string_view name, int type, int length, int precision = 0,
                                   int scale = 0) {
  const auto made = make<host::HostFieldEdit>(host::FieldClass);
  made->SetName(std::string(name));
  made->SetType(type);
  made->SetLength(length);
  made->SetPrecision(precision);
  made->SetScale(scale);
  return made;
}

com::ComPtr<host::HostFields> road_fields() {
  const auto definition = make<host::HostGeometryDefEdit>(host::GeometryDefClass);
  definition->SetGeometryType(host::geometry_polyline);
  const auto shape = make<host::HostFieldEdit>(host::FieldClass);
  shape->SetName("Shape");
  shape->SetType(host::field_geometry);
  shape->SetGeometryDef(definition.get());
  const auto fields = make<host::HostFieldsEdit>(host::FieldsClass);
  fields->AddField(shape.get());
  fields->AddField(field("NAME", host::field_string, 80).get());
  fields->AddField(field("CV_RESULT", host::field_double, 32, 10, 3).get());
  return fields;
}

} // namespace

void RouteNetworkTest::SetUp() {
  HostTest::SetUp();
  ASSERT_EQ(com::register_module(std::filesystem::path(AppPath()) / "libtamix.so"), com::S_OK);
}

void RouteNetworkTest::TearDown() {
  if (base_)
    base_->Unload();
  calc_ = nullptr;
  base_ = nullptr;
  HostTest::TearDown();
}

void RouteNetworkTest::build_network(const std::vector<Road>& roads) {
  const auto factory = make<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  ASSERT_EQ(factory->OpenFromFile(path(), 0, &workspace), com::S_OK);
  com::ComPtr<host::HostFeatureClass> features;
  ASSERT_EQ(workspace.as<host::HostFeatureWorkspace>()->CreateFeatureClass(
                "roads", road_fields().get(), 1, "Shape", "", &features),
            com::S_OK);
  for (const auto& road : roads) {
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(features->CreateFeature(&feature), com::S_OK);
    feature->SetShape(polyline(road.shape).get());
    ASSERT_EQ(feature->SetValue(features->FindField("NAME"), com::Variant(road.name)), com::S_OK);
    ASSERT_EQ(feature->Store(), com::S_OK);
  }
  load_network(features);
}

void RouteNetworkTest::load_network(const com::ComPtr<host::HostFeatureClass>& roads) {
  add_layer(roads, "roads");

  base_ = make<tamix::NetBase>(tamix::NetBaseProgId);
  calc_ = make<tamix::NetCalc>(tamix::NetCalcProgId);
  base_->SetNetworkFolder(path());
  ASSERT_EQ(base_->SetMapUnits(7), 0); // metres
  ASSERT_EQ(base_->SetDistanceUnits(0), 0);
  ASSERT_EQ(base_->CreateNetwork("roads", 0, ""), 0);
  ASSERT_EQ(base_->LoadNetwork(), 0);
  ASSERT_EQ(calc_->SetNet(base_->GetIdentifier()), 0);

  // Written after the shapefile, as the network building does, so the pre-check passes.
  settings::write(NetworkIniFile(path()), settings::Info, settings::ShapeFile, "roads");
  SetLoadedNetworkState(base_, calc_, path());
  shared_state().gRouteColorRed = 255;
}

void RouteNetworkTest::click(double x, double y, long shift) {
  const auto transformation = document_->ActiveView()->ScreenDisplay()->DisplayTransformation();
  int px = 0;
  int py = 0;
  ASSERT_EQ(transformation->FromMapPoint(point(x, y).get(), &px, &py), com::S_OK);
  clicks_.mouse_down(nullptr, document_.get(), 1, shift, px, py);
}

com::ComPtr<host::HostFeatureClass> RouteNetworkTest::link_copy(const std::string& name) {
  const auto factory = make<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(path(), 0, &workspace), com::S_OK);
  com::ComPtr<host::HostFeatureClass> features;
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->CreateFeatureClass(
                name, road_fields().get(), 1, "Shape", "", &features),
            com::S_OK);
  com::ComPtr<host::HostFeature> feature;
  EXPECT_EQ(features->CreateFeature(&feature), com::S_OK);
  feature->SetShape(polyline({{0, 0}, {1, 1}}).get());
  EXPECT_EQ(feature->Store(), com::S_OK);
  return features;
}

com::ComPtr<host::HostFeatureClass> RouteNetworkTest::open(const std::string& name) {
  const auto factory = make<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(path(), 0, &workspace), com::S_OK);
  com::ComPtr<host::HostFeatureClass> features;
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->OpenFeatureClass(name, &features),
            com::S_OK);
  return features;
}

std::vector<std::string> RouteNetworkTest::texts(host::HostFeatureClass& features,
                                                 const std::string& name) {
  std::vector<std::string> values;
  std::int32_t count = 0;
  EXPECT_EQ(features.FeatureCount(nullptr, &count), com::S_OK);
  const int index = features.FindField(name);
  for (std::int32_t id = 0; id < count; ++id) {
    com::ComPtr<host::HostFeature> feature;
    EXPECT_EQ(features.GetFeature(id, &feature), com::S_OK);
    values.push_back(feature->Value(index).to_string().value_or(""));
  }
  return values;
}

std::vector<double> RouteNetworkTest::numbers(host::HostFeatureClass& features,
                                              const std::string& name) {
  std::vector<double> values;
  for (const auto& text : texts(features, name))
    values.push_back(std::stod(text));
  return values;
}

void RouteNetworkTest::add_text_field(host::HostFeatureClass& features, const std::string& name) {
  const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
  field->SetName(name);
  field->SetType(host::field_string);
  field->SetLength(10);
  ASSERT_EQ(features.AddField(field.get()), com::S_OK);
}

std::vector<std::string> RouteNetworkTest::attribute_names(host::HostFeatureClass& features) {
  std::vector<std::string> names;
  const auto fields = features.Fields();
  for (int i = 0; i < fields->FieldCount(); ++i) {
    const auto type = fields->Field(i)->Type();
    if (type != host::field_oid && type != host::field_geometry)
      names.push_back(fields->Field(i)->Name());
  }
  return names;
}

std::string RouteNetworkTest::settings_text() const {
  std::ifstream file(NetworkIniFile(path()));
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> RouteNetworkTest::messages() const {
  std::vector<std::string> shown;
  for (const auto& message : user_->messages)
    shown.push_back(message.title + ": " + message.text);
  return shown;
}

std::vector<std::string> RouteNetworkTest::texts_on_map() {
  std::vector<std::string> found;
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  graphics->Reset();
  for (auto element = graphics->Next(); element; element = graphics->Next())
    if (const auto text = element.as<host::HostTextElement>())
      found.push_back(text->Text());
  return found;
}

void RouteNetworkTest::add_text(const std::string& text, double x, double y) {
  const auto graphics = com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  const auto label = corvane::create<host::HostTextElement>(host::TextElementClass);
  label->SetText(text);
  label.as<host::HostElement>()->SetGeometry(point(x, y).get());
  ASSERT_EQ(graphics->AddElement(label.as<host::HostElement>().get(), 0), com::S_OK);
}

} // namespace corvane::testing
