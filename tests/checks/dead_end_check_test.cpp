#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/check_road.h"
#include "checks/cul_de_sac.h"
#include "host/color.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using testing::CheckTest;

class DeadEndCheck : public CheckTest {
protected:
  std::vector<std::string> layer_names() {
    std::vector<std::string> names;
    for (int i = 0; i < map()->LayerCount(); ++i)
      names.push_back(map()->Layer(i)->Name());
    return names;
  }
};

std::string rgb(host::HostSymbol* symbol) {
  const auto line = com::ComPtr<host::HostSymbol>(symbol).as<host::HostLineSymbol>();
  const auto colour = line->Color().as<host::HostRgbColor>();
  return std::to_string(colour->Red()) + "," + std::to_string(colour->Green()) + "," +
         std::to_string(colour->Blue()) + " width " + std::to_string(int(line->Width()));
}

TEST_F(DeadEndCheck, CopiesTheFlaggedLinksAndDrawsThemByKindWithTheirCounts) {
  build_check_network();
  // An old output of the network folder goes; a layer of that name from elsewhere stays.
  const auto elsewhere = shapefile("CulDeSac", host::geometry_polyline, {{{0, 0}, {1, 1}}}, "other");
  add_layer(elsewhere, "CulDeSac elsewhere");
  ASSERT_TRUE(run(com::make<CulDeSac>()));
  ASSERT_TRUE(run(com::make<CulDeSac>()));

  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(layer_names(), (std::vector<std::string>{"CulDeSac", "CulDeSac elsewhere", "roads"}));
  const auto output = open("CulDeSac");
  EXPECT_EQ(attribute_names(*output), (std::vector<std::string>{"NAME", "CV_RESULT"}));
  EXPECT_EQ(texts(*output, "NAME"),
            (std::vector<std::string>{"6", "7", "8", "9", "10", "12", "13", "14", "15"}));
  EXPECT_EQ(numbers(*output, "CV_RESULT"), (std::vector<double>{1, 3, 2, 2, 2, 1, 1, 1, 2}));
  EXPECT_TRUE(std::filesystem::exists(path("CulDeSac.prj")));

  const auto layer = map()->Layer(0).as<host::HostGeoFeatureLayer>();
  const auto renderer = layer->Renderer().as<host::HostUniqueValueRenderer>();
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->Field(0), "CV_RESULT");
  EXPECT_EQ(renderer->ColorScheme(), "Custom");
  EXPECT_EQ(layer->DisplayField(), "CV_RESULT");
  std::vector<std::string> legend;
  for (int i = 0; i < renderer->ValueCount(); ++i) {
    const auto value = renderer->Value(i);
    legend.push_back(value + ": " + renderer->Label(value) + "| " +
                     rgb(renderer->Symbol(value).get()));
  }
  EXPECT_EQ(legend, (std::vector<std::string>{"1: Cul De Sac ( 4 ) | 0,255,0 width 3",
                                              "3: Bridge ( 1 ) | 56,45,121 width 3",
                                              "2: Loops ( 4 ) | 255,0,0 width 3"}));

  EXPECT_EQ(results(), std::vector<double>(15, 0)) << "the network keeps no codes";
  EXPECT_TRUE(stamped());
}

TEST_F(DeadEndCheck, ANetworkWithoutDeadEndsGetsAnEmptyOutputLayer) {
  build_square();
  ASSERT_TRUE(run(com::make<CulDeSac>()));
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(layer_names(), (std::vector<std::string>{"CulDeSac", "roads"}));
  EXPECT_TRUE(texts(*open("CulDeSac"), "NAME").empty());
  EXPECT_EQ(map()->Layer(0).as<host::HostGeoFeatureLayer>()->Renderer()
                .as<host::HostUniqueValueRenderer>()->ValueCount(),
            0);
}

// Without a ".prj" the check refuses before the engine runs: nothing of an earlier run is lost.
TEST_F(DeadEndCheck, WithoutProjectionNothingChanges) {
  build_check_network(false);
  shared_state().gNetCalc->SetResultTable("roads.dbf");
  shared_state().gNetCalc->SetResultField("CV_RESULT");
  shared_state().gNetCalc->FindParallelLinks();
  shared_state().gNetCalc->WriteResults();
  const auto before = results();
  ASSERT_TRUE(run(com::make<CulDeSac>()));
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "PRJ: The chosen polyline layer is missing projection information. "
                         "Please use ArcCatalog to add this."}));
  EXPECT_EQ(results(), before);
  EXPECT_FALSE(std::filesystem::exists(path("CulDeSac.shp")));
  EXPECT_FALSE(stamped());
}

TEST_F(DeadEndCheck, ANetworkNamedAsTheOutputIsRefused) {
  shared_state().gNetworkLayerName = "CULDESAC";
  EXPECT_TRUE(RefuseNetworkNamedAs("CulDeSac", "Cul_De_Sac"));
  shared_state().gNetworkLayerName = "roads";
  EXPECT_FALSE(RefuseNetworkNamedAs("CulDeSac", "Cul_De_Sac"));
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Cul_De_Sac: The network layer is named CulDeSac, the name of this "
                         "check's output. Rename the layer and create the network again."}));
}

} // namespace
} // namespace corvane
