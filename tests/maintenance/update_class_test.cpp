#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "maintenance_fixture.h"
#include "network/state/build_mark.h"
#include "network/state/road_class_rows.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using testing::A;
using testing::B;
using testing::C;

std::vector<std::int32_t> class_values() {
  const auto& state = shared_state();
  std::vector<std::int32_t> values;
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    values.push_back(state.gRoadClassSpeeds[row].ClassValue);
  return values;
}

RoadClassSpeed speed(std::int32_t class_value, float kmph, std::string alias) {
  return {.SpeedKmph = kmph,
          .SpeedMph = static_cast<float>(kmph * 0.621372),
          .ClassValue = class_value,
          .Alias = std::move(alias)};
}

TEST(RoadClassRows, SurvivingClassesKeepTheirRowsAndNewOnesStartAtOneMph) {
  const std::vector<RoadClassSpeed> old = {speed(1, 30, "Town"), speed(2, 50, "Main"),
                                           speed(3, 90, "Motorway")};
  const auto rows = RoadClassRows(old, {0, 2, 3});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].ClassValue, 0);
  EXPECT_EQ(rows[0].Alias, "Speed 0");
  EXPECT_EQ(rows[0].SpeedKmph, 1.609342f);
  EXPECT_EQ(rows[0].SpeedMph, 1.0f);
  EXPECT_EQ(rows[1].Alias, "Main");
  EXPECT_EQ(rows[1].SpeedKmph, 50);
  EXPECT_EQ(rows[2].Alias, "Motorway");
}

TEST(RoadClassRows, RowsNoLongerInUseAreCleared) {
  reset_shared_state();
  auto& state = shared_state();
  state.gRoadClassCount = 3;
  for (std::int32_t row = 0; row < 3; ++row)
    state.gRoadClassSpeeds[row] = speed(row + 1, 30, "x");
  StoreRoadClassRows({speed(2, 50, "Main"), speed(3, 90, "Motorway")});
  EXPECT_EQ(state.gRoadClassCount, 2);
  const auto& cleared = state.gRoadClassSpeeds[2];
  EXPECT_EQ(cleared.ClassValue, -1);
  EXPECT_EQ(cleared.SpeedKmph, -1);
  EXPECT_EQ(cleared.SpeedMph, -1);
  EXPECT_EQ(cleared.Alias, "");
  reset_shared_state();
}

// The class update on a straight road of links in the scripted engine, which keeps the lines of
// "Attrib.txt" it was handed.
class UpdateClassTest : public testing::MaintenanceTest {
protected:
  void open_with(const std::vector<double>& values) {
    add_roads(values);
    open();
    take_messages();
    update_ = command("Corvane.UpdateClass");
  }
  void set_values(const std::vector<double>& values) {
    testing::write_classes(*roads_->FeatureClass(), values);
  }
  void update() { ASSERT_EQ(update_->OnClick(), com::S_OK); }

  com::ComPtr<host::ICommand> update_;
};

struct ClassCase {
  const char* name;
  std::vector<double> values;
  std::vector<std::int32_t> classes;
  std::vector<std::string> lines; // of "Attrib.txt"
  std::vector<std::string> messages;
  bool class_one_dropped = false; // the class of the opening
};

void PrintTo(const ClassCase& c, std::ostream* out) {
  *out << c.name;
}

class UpdateClassCases : public UpdateClassTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(UpdateClassCases, ClassesAreTheValuesMagnitudesModulo32) {
  const auto& c = GetParam();
  open_with(std::vector<double>(c.values.size(), 1));
  set_values(c.values);
  update();
  EXPECT_EQ(class_values(), c.classes);
  EXPECT_EQ(engine_->attribute_lines, c.lines);
  auto said = c.messages;
  said.push_back("Road classes updated successfully");
  const auto file = SpeedClassFile(path());
  if (c.class_one_dropped)
    said.push_back(file +
                   ": the speeds of 1 road class were not carried over: their class values no "
                   "longer occur in the field \"CLASS\". The old file is kept as " +
                   file + ".bak.");
  EXPECT_EQ(take_messages(), said);
  EXPECT_EQ(std::filesystem::exists(file + ".bak"), c.class_one_dropped);
  EXPECT_EQ(shared_state().gAttributeFlag, c.messages.empty() ? 0 : 1);
  EXPECT_FALSE(std::filesystem::exists(AttributeTextFile(path())))
      << "the text only hands the classes to the engine";
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpdateClassCases,
    ::testing::Values(
        ClassCase{"Distinct", {35, 3, 7}, {3, 7}, {"35", "3", "7"}, {}, true},
        ClassCase{"OneClass", {3, 3.9, -3, 35}, {3}, {"3", "3", "-3", "35"}, {}, true},
        ClassCase{"MultiplesOf32", {32, 64, 4096, 1}, {0, 1}, {"32", "64", "4096", "1"}, {}},
        ClassCase{"Invalid",
                  {2, 4097, 5},
                  {1},
                  {"1", "1", "1"},
                  {"The attribute field contains invalid entries"}}),
    [](const ::testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateClassTest, AMendedFieldIsUsableAgain) {
  open_with({1, 2, 3});
  set_values({1, 4097, 3});
  update();
  EXPECT_EQ(class_values(), std::vector<std::int32_t>{1});
  set_values({1, 2, 3});
  update();
  EXPECT_EQ(class_values(), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(shared_state().gAttributeFlag, 0);
}

TEST_F(UpdateClassTest, KeptClassesKeepTheirSpeedsInMemoryAndInTheFile) {
  open_with({1, 2, 3});
  auto& state = shared_state();
  state.gRoadClassSpeeds[1] = speed(2, 50, "Main");
  state.gRoadClassSpeeds[2] = speed(3, 90, "Motorway");
  set_values({2, 3, 2});
  update();
  EXPECT_EQ(class_values(), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(state.gRoadClassSpeeds[0].Alias, "Main");
  EXPECT_EQ(state.gRoadClassSpeeds[1].SpeedKmph, 90);
  EXPECT_EQ(state.gRoadClassSpeeds[2].ClassValue, -1);

  const auto file = SpeedClassFile(path());
  EXPECT_EQ(settings::read(file, settings::SpeedValues, settings::TotalCategories), "2");
  EXPECT_EQ(settings::read(file, settings::SpeedValues, settings::category_key(1)), "2");
  EXPECT_EQ(settings::read(file, settings::SpeedValues, settings::class_speed_key(3)), "55.92348");
  EXPECT_EQ(settings::read(file, settings::SpeedValues, settings::class_alias_key(2)), "Main");
  EXPECT_EQ(settings::read(file, settings::SpeedValues, settings::class_speed_key(1)),
            settings::Missing);
}

TEST_F(UpdateClassTest, AnEngineFailureIsReportedAndChangesNoClass) {
  open_with({1, 2, 3});
  set_values({4, 5, 6});
  engine_->attribute_result = -40;
  update();
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{"Road classes could not be updated: Error = General error"});
  EXPECT_EQ(class_values(), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(
      settings::read(SpeedClassFile(path()), settings::SpeedValues, settings::category_key(1)),
      "1");
}

// The engine has taken the new classes when "link.spd" turns out unwritable: the user is not
// told that nothing changed, and the next opening builds the network again.
TEST_F(UpdateClassTest, AnUnwritableSpeedFileSaysTheClassesAreInUseAndTheNetworkIsBuiltAgain) {
  open_with({1, 2, 3});
  set_values({1, 2, 3});
  const auto file = SpeedClassFile(path());
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  update();
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{
                file + " could not be written: it is read-only. The new road classes are "
                       "in use; the network is built again when it is next "
                       "opened."});
  EXPECT_TRUE(BuildMarkPresent(path()));
}

TEST_F(UpdateClassTest, WithoutItsFieldTheNetworkHasTheOneClass) {
  open_with({1, 2, 3});
  settings::write(ini(), settings::Info, settings::AttributeField, "GONE");
  update();
  const auto file = SpeedClassFile(path());
  EXPECT_EQ(take_messages(),
            (std::vector<std::string>{
                "Attribute field not found", "Road classes updated successfully",
                file +
                    ": the speeds of 2 road classes were not carried over: their class values "
                    "no longer occur in a network without road-class field. The old file is "
                    "kept as " +
                    file + ".bak."}));
  EXPECT_EQ(class_values(), std::vector<std::int32_t>{1});
  EXPECT_EQ(engine_->attribute_lines, (std::vector<std::string>{"1", "1", "1"}));
}

TEST_F(UpdateClassTest, WithoutTheNetworkLayerNothingChanges) {
  open_with({1, 2, 3});
  map()->DeleteLayer(roads_.get());
  update();
  EXPECT_EQ(take_messages(), std::vector<std::string>{"No Network layer found"});
  EXPECT_EQ(class_values(), (std::vector<std::int32_t>{1, 2, 3}));
}

// The real engine takes the new classes into the loaded network at once.
class UpdatedRoutes : public testing::MaintenanceTest {};

TEST_F(UpdatedRoutes, TheLoadedNetworkRoutesWithTheNewClasses) {
  build();
  auto& state = shared_state();
  state.gRouteType = RouteFastest;
  state.gRoadClassSpeeds[0] = speed(1, 30, "Town");
  state.gRoadClassSpeeds[1] = speed(2, 90, "Motorway");
  const float around = 2 * std::sqrt(2.0f) / 90 * 60;
  EXPECT_FLOAT_EQ(route_cost(A, C), around);

  // Straight on becomes motorway too.
  testing::write_classes(*roads_->FeatureClass(), {2, 2, 2, 2});
  ASSERT_EQ(command("Corvane.UpdateClass")->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages().front(), "Road classes updated successfully");
  EXPECT_EQ(class_values(), std::vector<std::int32_t>{2});
  EXPECT_FLOAT_EQ(route_cost(A, C), 2.0f / 90 * 60);
  EXPECT_FLOAT_EQ(route_cost(A, B), 1.0f / 90 * 60);
}

} // namespace
} // namespace corvane
