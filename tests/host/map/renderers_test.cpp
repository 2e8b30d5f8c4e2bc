#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "map/color.h"
#include "map/color_ramp.h"
#include "map/legend_file.h"
#include "map/renderers.h"
#include "map/symbols.h"
#include "temp_folder.h"

namespace host {
namespace {

// The link cost bands: minimum -0.001, class 0 up to 0.001, then the zone limits 5, 10, 15.
com::ComPtr<ClassBreaksRenderer> cost_bands() {
  auto renderer = com::make<ClassBreaksRenderer>();
  renderer->SetField("CV_RESULT");
  renderer->SetBreakCount(4);
  renderer->SetMinimumBreak(-0.001);
  const double breaks[] = {0.001, 5, 10, 15};
  for (int i = 0; i < 4; ++i) {
    renderer->SetBreak(i, breaks[i]);
    auto line = com::make<SimpleLineSymbol>();
    line->SetWidth(i == 0 ? 1 : 3);
    renderer->SetSymbol(i, line.get());
  }
  renderer->SetLabel(1, "0 - 5 Minutes");
  return renderer;
}

TEST(ClassBreaksRenderer, PutsValuesInTheirBands) {
  auto renderer = cost_bands();
  struct Case {
    double value;
    int band;
  };
  for (const auto& c : std::vector<Case>{{-0.001, 0},
                                         {0, 0},
                                         {0.001, 0},
                                         {0.002, 1},
                                         {5, 1},
                                         {5.0001, 2},
                                         {15, 3},
                                         {15.5, -1},
                                         {-1, -1}})
    EXPECT_EQ(renderer->ClassOf(c.value), c.band) << c.value;
  EXPECT_EQ(renderer->Label(1), "0 - 5 Minutes");
  EXPECT_EQ(renderer->Label(7), "") << "outside the classes";
  EXPECT_FALSE(renderer->Symbol(-1));
}

TEST(UniqueValueRenderer, KeepsValuesInOrderAndMatchesNumbersAsSingles) {
  auto renderer = com::make<UniqueValueRenderer>();
  renderer->SetFieldCount(1);
  renderer->SetField(0, "CV_RESULT");
  for (const char* value : {"0", "1", "2", "1"})
    renderer->AddValue(value, "Point", com::make<SimpleLineSymbol>().get());
  renderer->SetLabel("0", "");
  ASSERT_EQ(renderer->ValueCount(), 3) << "a value added twice counts once";
  EXPECT_EQ(renderer->Value(2), "2");
  EXPECT_EQ(renderer->Label("0"), "");
  EXPECT_EQ(renderer->Label("1"), "1") << "a new value's label is its text";
  EXPECT_EQ(renderer->Heading("2"), "Point");

  EXPECT_EQ(unique_value_class(*renderer, "2.000"), -1)
      << "text comparison until the field is numeric";
  renderer->SetFieldType(0, true);
  EXPECT_EQ(unique_value_class(*renderer, "2.000"), 2);
  EXPECT_EQ(unique_value_class(*renderer, "7"), -1);
}

TEST(ColorRamps, AlgorithmicRunsFromStartToEndAndRandomRepeatsWithItsSeed) {
  auto ramp = com::make<AlgorithmicColorRamp>();
  ramp->SetFromColor(make_color({242, 233, 250}).get());
  ramp->SetToColor(make_color({56, 45, 121}).get());
  ramp->SetSize(3);
  ASSERT_TRUE(ramp->CreateRamp());
  auto colors = ramp->Colors();
  colors->Reset();
  EXPECT_EQ(rgb_of(colors->Next().get()), (Rgb{242, 233, 250}));
  EXPECT_EQ(rgb_of(colors->Next().get()), (Rgb{149, 139, 186}));
  EXPECT_EQ(rgb_of(colors->Next().get()), (Rgb{56, 45, 121}));
  EXPECT_FALSE(colors->Next());
  ramp->SetSize(0);
  EXPECT_FALSE(ramp->CreateRamp());

  auto seeded = [] {
    auto r = com::make<RandomColorRamp>();
    r->SetSeed(43);
    r->SetUseSeed(true);
    r->SetSaturationRange(20, 40);
    r->SetValueRange(85, 100);
    r->SetHueRange(76, 188);
    r->SetSize(5);
    EXPECT_TRUE(r->CreateRamp());
    std::vector<Rgb> out;
    auto e = r->Colors();
    while (auto c = e->Next())
      out.push_back(rgb_of(c.get()));
    return out;
  };
  const auto first = seeded();
  EXPECT_EQ(first, seeded());
  ASSERT_EQ(first.size(), 5u);
  for (const auto& c : first) {
    // Value 85..100 and saturation 20..40 keep every colour light and pale.
    EXPECT_GE(std::max({c.red, c.green, c.blue}), 216);
    EXPECT_GE(std::min({c.red, c.green, c.blue}), 129);
  }
}

TEST(LegendFile, RoundTripsEachRendererKindAndRejectsOtherFiles) {
  const testing::TempFolder folder{"legend-test"};
  const auto& dir = folder.path();
  const auto path = (dir / "VRoute.avl").string();
  auto legend = com::make<LegendFile>();

  ASSERT_EQ(legend->SaveRenderer(path, cost_bands().get()), com::S_OK);
  com::ComPtr<HostFeatureRenderer> loaded;
  ASSERT_EQ(legend->LoadRenderer(path, &loaded), com::S_OK);
  const auto bands = loaded.as<HostClassBreaksRenderer>();
  ASSERT_TRUE(bands);
  EXPECT_EQ(bands->Field(), "CV_RESULT");
  EXPECT_EQ(bands->BreakCount(), 4);
  EXPECT_DOUBLE_EQ(bands->MinimumBreak(), -0.001);
  EXPECT_DOUBLE_EQ(bands->Break(0), 0.001);
  EXPECT_EQ(bands->Label(1), "0 - 5 Minutes");
  EXPECT_DOUBLE_EQ(bands->Symbol(3).as<HostLineSymbol>()->Width(), 3);

  auto fill = com::make<SimpleFillSymbol>();
  fill->SetColor(make_color({10, 20, 30}).get());
  auto unique = com::make<UniqueValueRenderer>();
  unique->SetFieldCount(1);
  unique->SetField(0, "COST_END");
  unique->AddValue("5", "COST", fill.get());
  unique->SetLabel("5", "0 - 5 Kilometers");
  ASSERT_EQ(legend->SaveRenderer(path, unique.get()), com::S_OK);
  ASSERT_EQ(legend->LoadRenderer(path, &loaded), com::S_OK);
  const auto zones = loaded.as<HostUniqueValueRenderer>();
  ASSERT_TRUE(zones);
  EXPECT_EQ(zones->Label("5"), "0 - 5 Kilometers");
  EXPECT_EQ(rgb_of(zones->Symbol("5").as<HostFillSymbol>()->Color().get()), (Rgb{10, 20, 30}));

  std::FILE* other = std::fopen(path.c_str(), "w");
  std::fputs("[INFO]\nSHAPE FILE=x\n", other);
  std::fclose(other);
  EXPECT_EQ(legend->LoadRenderer(path, &loaded), com::E_FAIL);
  EXPECT_EQ(legend->LoadRenderer((dir / "missing.avl").string(), &loaded), com::E_FAIL);
}

} // namespace
} // namespace host
