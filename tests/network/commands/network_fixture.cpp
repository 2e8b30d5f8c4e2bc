#include "network_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "com/create.h"
#include "com/registration.h"
#include "command/app_path.h"
#include "host/element.h"
#include "host/fields.h"
#include "host/graphics_container.h"
#include "host/row.h"
#include "host/workspace.h"
#include "network/network_opening.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "win/clock.h"

namespace corvane::testing {

namespace {

constexpr std::string_view utm_32n =
    R"(PROJCS["WGS_1984_UTM_Zone_32N",GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",)"
    R"(SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],)"
    R"(UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],)"
    R"(PARAMETER["False_Easting",500000.0],PARAMETER["False_Northing",0.0],)"
    R"(PARAMETER["Central_Meridian",9.0],PARAMETER["Scale_Factor",0.9996],)"
    R"(PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]])";

// The engine module beside the test program, registered once the test program's registry is
// known (after static initialisation).
bool engine_registered() {
  static const bool registered =
      com::SUCCEEDED(com::register_module(std::filesystem::path(AppPath()) / "libtamix.so"));
  return registered;
}

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void touch_file(const std::string& path) {
  std::ofstream(path, std::ios::binary) << "network";
}

} // namespace

void ScriptedUser::WorkModal(forms::IForm& form) {
  if (const auto handler = handlers.find(form.FormName()); handler != handlers.end())
    handler->second(form);
}

forms::Answer ScriptedUser::MessageBox(const forms::Message& message) {
  messages.push_back(message);
  if (answers.empty())
    return forms::answers_of(message.buttons).front();
  const auto answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedUser::choose(std::string_view form, std::string item) {
  handlers[std::string(form)] = [item](forms::IForm& shown) {
    perform(shown, "Combo1", forms::Gesture::Select, item);
    perform(shown, "CmdOk", forms::Gesture::Click);
  };
}

void write_classes(host::HostFeatureClass& features, const std::vector<double>& values) {
  const int index = features.FindField("CLASS");
  for (std::size_t i = 0; i < values.size(); ++i) {
    com::ComPtr<host::HostFeature> feature;
    EXPECT_EQ(features.GetFeature(static_cast<std::int32_t>(i), &feature), com::S_OK);
    EXPECT_EQ(feature->SetValue(index, values[i]), com::S_OK);
    EXPECT_EQ(feature->Store(), com::S_OK);
  }
}

void perform(forms::IForm& form, std::string_view control, forms::Gesture gesture,
             std::string value) {
  EXPECT_EQ(form.Perform(control, {gesture, std::move(value)}), "")
      << form.FormName() << "." << control;
}

void ScriptedNetBase::SetNetworkFolder(const std::string& path) {
  StubNetBase::SetNetworkFolder(path);
  folder = path;
}

std::int32_t ScriptedNetBase::SetMapUnits(std::int32_t code) {
  StubNetBase::SetMapUnits(code);
  map_units = code;
  return 0;
}

std::int32_t ScriptedNetBase::SetDistanceUnits(std::int32_t units) {
  StubNetBase::SetDistanceUnits(units);
  distance_units = units;
  return 0;
}

std::int32_t ScriptedNetBase::GetDistanceUnits() {
  StubNetBase::GetDistanceUnits();
  return distance_units;
}

std::int32_t ScriptedNetBase::CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                                            const std::string& unused_text) {
  StubNetBase::CreateNetwork(layer, links_to_carry, unused_text);
  if (create_result != 0)
    return create_result;
  // "link.bin" holds the layer's shapes, so that a build knows whether the links it replaces
  // are its own, as the engine compares them.
  const auto shapes = file_bytes(folder + "/" + layer + ".shp");
  const auto replaced = file_bytes(folder + "/link.bin");
  old_links = replaced.empty() || links_to_carry == 0 ? OldLinks::unknown
              : !shapes.empty() && replaced == shapes ? OldLinks::same
                                                      : OldLinks::changed;
  std::ofstream(folder + "/link.bin", std::ios::binary | std::ios::trunc) << shapes;
  for (const char* name : {"dist.bin", "coord.bin", "node.bin"})
    touch_file(folder + "/" + name);
  return 0;
}

std::int32_t ScriptedNetBase::CreateAttributeFile(const std::string& file) {
  StubNetBase::CreateAttributeFile(file);
  std::ifstream text(folder + "/" + file);
  attribute_lines.clear();
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    attribute_lines.push_back(line);
  }
  if (attribute_result != 0)
    return attribute_result;
  touch_file(folder + "/attribute.bin");
  return 0;
}

std::int32_t ScriptedNetBase::LoadNetwork() {
  StubNetBase::LoadNetwork();
  loaded = load_result == 0;
  return load_result;
}

void NetworkTest::SetUp() {
  HostTest::SetUp();
  ASSERT_TRUE(engine_registered());
  user_ = com::make<ScriptedUser>();
  forms::set_user(user_);
  engine_ = com::make<ScriptedNetBase>();
  // The shared engine pair as the two network commands leave it at start-up.
  shared_state().gNetBase = engine_;
  shared_state().gNetCalc = com::create_object<tamix::NetCalc>(tamix::NetCalcProgId);
  ASSERT_TRUE(shared_state().gNetCalc);
  map()->SetDistanceUnits(host::Kilometers);
}

void NetworkTest::TearDown() {
  forms::set_user(nullptr);
  win::clock::use_system_time();
  HostTest::TearDown();
}

com::ComPtr<host::HostFeatureLayer> NetworkTest::add_roads(const std::vector<double>& classes) {
  std::vector<host::Path> links;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const double x = 500000 + 100.0 * static_cast<double>(i);
    links.push_back({{x, 6400000}, {x + 100, 6400000}});
  }
  return add_roads(links, classes);
}

com::ComPtr<host::HostFeatureLayer> NetworkTest::add_roads(const std::vector<host::Path>& links,
                                                           const std::vector<double>& classes) {
  auto features = shapefile("roads", host::geometry_polyline, links);
  const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
  field->SetName("CLASS");
  field->SetType(host::field_double);
  field->SetPrecision(10);
  field->SetScale(3);
  EXPECT_EQ(features->AddField(field.get()), com::S_OK);
  write_classes(*features, classes);
  std::ofstream(path("roads.prj")) << utm_32n;
  // Opened again, so that the feature class reads its coordinate system.
  const auto factory =
      com::create_object<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(path(), 0, &workspace), com::S_OK);
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->OpenFeatureClass("roads", &features),
            com::S_OK);
  roads_ = add_layer(features, "roads");
  return roads_;
}

void NetworkTest::open() {
  OpenNetwork(document_.get(), engine_);
}

void NetworkTest::build() {
  user_->choose("Polylines", "roads");
  user_->choose("Polylines1", "CLASS");
  open();
}

std::vector<std::string> NetworkTest::take_messages() {
  std::vector<std::string> texts;
  for (; messages_taken_ < user_->messages.size(); ++messages_taken_)
    texts.push_back(user_->messages[messages_taken_].text);
  return texts;
}

std::string NetworkTest::ini() const {
  return NetworkIniFile(path());
}

std::string NetworkTest::ini_value(std::string_view section, std::string_view key) const {
  return settings::read(ini(), section, key);
}

void NetworkTest::set_modified(std::string_view name, std::string_view reference,
                               std::chrono::seconds offset) const {
  const auto time = std::filesystem::last_write_time(path(reference));
  std::filesystem::last_write_time(path(name), time + offset);
}

int NetworkTest::element_count() {
  return com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>()->ElementCount();
}

} // namespace corvane::testing
