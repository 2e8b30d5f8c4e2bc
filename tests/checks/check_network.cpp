#include "check_network.h"

#include <filesystem>

#include "host/layer.h"
#include "network/state/shared_state.h"
#include "routing/route_output.h"

namespace corvane::testing {

namespace {

// The sample network's coordinate system (UTM zone 32N, metres).
void write_projection(const std::string& to) {
  std::filesystem::copy_file(
      std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj", to,
      std::filesystem::copy_options::overwrite_existing);
}

} // namespace

void CheckTest::SetUp() {
  RouteNetworkTest::SetUp();
  app_ = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&app_->document());
  shared_state().gDocument = app_->Document();
}

void CheckTest::TearDown() {
  RouteNetworkTest::TearDown();
  app_ = nullptr;
}

void CheckTest::build_check_network(bool with_projection) {
  if (with_projection)
    write_projection(path("roads.prj"));
  build_network({{{{0, 0}, {1000, 0}}, "1"},
                 {{{1000, 0}, {1000, 1000}}, "2"},
                 {{{1000, 1000}, {0, 1000}}, "3"},
                 {{{0, 1000}, {0, 0}}, "4"},
                 {{{0, 0}, {1000, 1000}}, "5"},
                 {{{1000, 0}, {2000, 0}}, "6"},
                 {{{1000, 1000}, {1500, 1500}}, "7"},
                 {{{1500, 1500}, {2000, 1500}}, "8"},
                 {{{2000, 1500}, {1500, 2000}}, "9"},
                 {{{1500, 2000}, {1500, 1500}}, "10"},
                 {{{0, 0}, {500, -300}, {1000, 0}}, "11"},
                 {{{5000, 5000}, {6000, 5000}}, "12"},
                 {{{6000, 5000}, {6000, 6000}}, "13"},
                 {{{8000, 0}, {9000, 0}}, "14"},
                 {{{0, 1000}, {-300, 1300}, {-300, 1000}, {0, 1000}}, "15"}});
}

void CheckTest::build_square() {
  write_projection(path("roads.prj"));
  build_network({{{{0, 0}, {1000, 0}}, "1"},
                 {{{1000, 0}, {1000, 1000}}, "2"},
                 {{{1000, 1000}, {0, 1000}}, "3"},
                 {{{0, 1000}, {0, 0}}, "4"}});
}

bool CheckTest::run(const com::ComPtr<host::ICommand>& command) {
  return command->OnCreate(app_.get()) == com::S_OK && command->OnClick() == com::S_OK;
}

std::vector<double> CheckTest::results() {
  return numbers(*open("roads"), "CV_RESULT");
}

std::vector<std::int32_t> CheckTest::selected() {
  return com::ComPtr<host::HostFeatureLayer>(NetworkLayer(map()))
      .as<host::HostFeatureSelection>()
      ->SelectedIds();
}

std::vector<std::string> CheckTest::shown() const {
  std::vector<std::string> texts;
  for (const auto& message : person_->messages)
    texts.push_back(message.title + ": " + message.text);
  return texts;
}

bool CheckTest::stamped() const {
  return settings_text().find("EDITED") != std::string::npos;
}

} // namespace corvane::testing
