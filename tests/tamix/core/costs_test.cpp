#include "error_matchers.h"
#include "fixture.h"

#include "costs.h"

namespace tamix::test {
namespace {

// One link of 1000 m (class 1), and the costs each setting gives it.
TEST(Costs, FollowDistanceTimeSpeedsAndClosures) {
  TempFolder folder;
  write_shapefile(folder.path(), "roads", {line({{0, 0}, {600, 800}})});
  Network network = build_and_load(folder.path(), "roads");
  const Weights shortest{1, 0, 0, 1};
  const Weights fastest{0, 1, 1, 0};
  struct Case {
    const char* name;
    std::function<void(CostSettings&)> set;
    Weights weights;
    Cost primary;
    Cost secondary;
  };
  const double mile = 1 / 1.609344;
  const std::vector<Case> cases = {
      {"shortest, default speed", [](CostSettings&) {}, shortest, 1, 60},
      {"fastest, class speed", [](CostSettings& s) { s.set_class_speed(1, 50); }, fastest, 1.2, 1},
      {"other class's speed", [](CostSettings& s) { s.set_class_speed(2, 50); }, fastest, 60, 1},
      {"miles",
       [](CostSettings& s) {
         s.set_class_speed(1, 50);
         s.set_distance_unit(DistanceUnit::miles);
       },
       shortest, mile, mile / 50 * 60},
      {"temporary speed",
       [&](CostSettings& s) {
         s.set_class_speed(1, 50);
         s.set_temp_speed(network, 1, 25);
       },
       fastest, 2.4, 1},
      {"temporary speed 0", [&](CostSettings& s) { s.set_temp_speed(network, 1, 0); }, fastest,
       inf_cost, inf_cost},
      {"class speed below 0 with time as secondary",
       [](CostSettings& s) { s.set_class_speed(1, -5); }, shortest, inf_cost, inf_cost},
      {"class speed 0, distance only", [](CostSettings& s) { s.set_class_speed(1, 0); },
       Weights{1, 0, 2, 0}, 1, 2},
      {"mixed weights", [](CostSettings& s) { s.set_class_speed(1, 60); }, Weights{2, 0.5, 1, 1},
       2.5, 2},
      {"closed", [&](CostSettings& s) { s.close_link(network, 1); }, shortest, inf_cost, inf_cost},
      {"reset drops temporary speeds and closures, keeps class speeds",
       [&](CostSettings& s) {
         s.set_class_speed(1, 50);
         s.close_link(network, 1);
         s.set_temp_speed(network, 1, 10);
         s.reset();
       },
       fastest, 1.2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CostSettings settings;
    c.set(settings);
    ArcCosts costs;
    compute_arc_costs(network, settings, c.weights, costs);
    ASSERT_EQ(costs.arcs.size(), 2u);
    for (ArcId a = 0; a < 2; ++a) {
      EXPECT_NEAR(costs.primary(a), c.primary, 1e-12 * c.primary);
      EXPECT_NEAR(costs.secondary(a), c.secondary, 1e-12 * c.secondary);
    }
  }
}

// Costs brought up to date run after run must equal costs made afresh, whatever changed.
TEST(Costs, UpdatedCostsEqualFreshOnes) {
  TempFolder folder;
  write_shapefile(folder.path(), "roads", grid_records(6, 6, 100));
  Network network = build_and_load(folder.path(), "roads");
  CostSettings settings;
  Weights weights;
  ArcCosts kept;
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"start", [] {}},
      {"closures", [&] { settings.close_link(network, 3), settings.close_link(network, 7); }},
      {"temporary speeds", [&] { settings.set_temp_speed(network, 8, 20); }},
      {"reset", [&] { settings.reset(); }},
      {"other closure", [&] { settings.close_link(network, 9); }},
      {"class speed", [&] { settings.set_class_speed(1, 30); }},
      {"weights",
       [&] {
         weights = {0, 1, 1, 0};
       }},
      {"reset and a speed", [&] { settings.reset(), settings.set_temp_speed(network, 3, 0); }},
      {"unit", [&] { settings.set_distance_unit(DistanceUnit::miles); }},
  };
  for (const auto& [name, change] : steps) {
    SCOPED_TRACE(name);
    change();
    compute_arc_costs(network, settings, weights, kept);
    ArcCosts fresh;
    compute_arc_costs(network, settings, weights, fresh);
    EXPECT_EQ(kept.arcs, fresh.arcs);
  }
  // Another network loaded from the same files is another network: no stale costs.
  Network reloaded = build_and_load(folder.path(), "roads");
  EXPECT_NE(reloaded.identity, network.identity);
}

TEST(Costs, RefuseUnknownClassesLinksAndNegativeWeights) {
  TempFolder folder;
  write_shapefile(folder.path(), "roads", {line({{0, 0}, {1, 0}}), null_shape()});
  Network network = build_and_load(folder.path(), "roads");
  CostSettings settings;
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { settings.set_class_speed(32, 1); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { settings.set_class_speed(-1, 1); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { settings.set_temp_speed(network, 2, 1); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { settings.close_link(network, 0); }));
  ArcCosts costs;
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] {
    compute_arc_costs(network, settings, {1, -1, 0, 1}, costs);
  }));
}

} // namespace
} // namespace tamix::test
