#include "gazetteer_network.h"

#include "com/create.h"
#include "host/fields.h"
#include "network/state/shared_state.h"
#include "routing/route_options.h"
#include "routing/selection_by_location.h"

namespace corvane::testing {

void act(forms::Form& form, const std::string& control, forms::Gesture gesture,
         const std::string& value) {
  EXPECT_EQ(form.Perform(control, {gesture, value}), "") << control << " " << value;
}

void GazetteerTest::SetUp() {
  RouteNetworkTest::SetUp();
  // The commands reach the map through the application's document.
  app_ = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&app_->document());
  shared_state().gDocument = app_->Document();
}

void GazetteerTest::TearDown() {
  RouteNetworkTest::TearDown();
  app_ = nullptr;
}

std::vector<Place> GazetteerTest::default_places() {
  return {{0, 0, "Alpha", 1},        {400, 0, "O'Brien Square", 2}, {200, 200, "Beta", 12},
          {300, 0, "Beta", 3},       {100, 0, "Alphaville", 4},     {1100, 0, "Island", 5},
          {0, 5, "ALPHA corner", 6}, {300, 0, "Gamma", 7}};
}

void GazetteerTest::build(const std::vector<Place>& places) {
  build_network({{{{0, 0}, {100, 0}}, "Main St"},
                 {{{100, 0}, {200, 0}}, "Main St"},
                 {{{200, 0}, {300, 0}}, "Main St"},
                 {{{300, 0}, {400, 0}}, "Main St"},
                 {{{200, 0}, {200, 200}}, "North Rd"},
                 {{{1000, 0}, {1100, 0}}, "Island"}});
  std::vector<host::Path> points;
  for (const auto& place : places)
    points.push_back({{place.x, place.y}});
  const auto features = shapefile("places", host::geometry_point, points);
  const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
  field->SetName("NAME");
  field->SetType(host::field_string);
  field->SetLength(40);
  ASSERT_EQ(features->AddField(field.get()), com::S_OK);
  for (std::size_t i = 0; i < places.size(); ++i) {
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(features->GetFeature(static_cast<std::int32_t>(i), &feature), com::S_OK);
    ASSERT_EQ(feature->SetValue(features->FindField("NAME"), com::Variant(places[i].name)),
              com::S_OK);
    ASSERT_EQ(feature->SetValue(features->FindField("ID"), com::Variant(places[i].id)), com::S_OK);
    ASSERT_EQ(feature->Store(), com::S_OK);
  }
  add_layer(features, "places");
}

bool GazetteerTest::run_command(const com::ComPtr<host::ICommand>& command) {
  return command->OnCreate(app_.get()) == com::S_OK && command->OnClick() == com::S_OK;
}

bool GazetteerTest::run_gazetteer() {
  return run_command(com::make<SelectionByLocation>());
}
bool GazetteerTest::run_route_options() {
  return run_command(com::make<RouteOptions>());
}

std::vector<std::string> GazetteerTest::shown() const {
  std::vector<std::string> texts;
  for (const auto& message : person_->messages)
    texts.push_back(message.title + ": " + message.text);
  return texts;
}

} // namespace corvane::testing
