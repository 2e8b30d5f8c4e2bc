// The engine as the add-in meets it: objects created by ProgID from the registered module,
// driven only through their interfaces, on the small drawn network.
#include "com/create.h"
#include "com/object.h"
#include "com/registration.h"
#include "drawn_network.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

#include <gtest/gtest.h>
#include <shapefil.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tamix {
namespace {

using test::A;
using test::B;
using test::C;
using test::D;
using test::DrawnNetwork;
using test::E;
using test::F;
using test::XY;

// Tests run through CTest get a registry of their own; a run by hand must not write into the
// user's registry either.
void use_test_registry() {
  if (!std::getenv("CORVANE_REGISTRY"))
    ::setenv("CORVANE_REGISTRY",
             (std::filesystem::temp_directory_path() / "corvane-tamix-component.reg").c_str(), 1);
}

class ProgressLog final : public com::ComObject<NetBaseEvents> {
public:
  void OnNWCreateProgress(std::uint8_t percent) override { create.push_back(percent); }
  void OnNWLoadProgress(std::uint8_t percent) override { load.push_back(percent); }
  void OnAttributeCreateProgress(std::uint8_t percent) override { attribute.push_back(percent); }
  std::vector<int> create, load, attribute;
};

class Engine : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    use_test_registry();
    ASSERT_EQ(com::register_module(TAMIX_MODULE), com::S_OK);
  }

  void SetUp() override { ASSERT_TRUE(base && calc); }

  // Builds, loads and binds the drawn network, with 60 km/h for every link (so minutes read
  // like kilometres).
  void load() {
    base->SetNetworkFolder(net.folder().string());
    ASSERT_EQ(base->SetMapUnits(7), 0);
    ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
    ASSERT_EQ(base->LoadNetwork(), 0);
    ASSERT_EQ(calc->SetNet(base->GetIdentifier()), 0);
    ASSERT_EQ(base->CreateNodeIndex(), 0);
    base->SetClassSpeed(1, 60);
    ASSERT_EQ(base->ResetLinkCosts(-1), 0);
  }

  std::int32_t node(XY at) {
    std::int32_t found = 0, second = 0;
    EXPECT_EQ(base->SnapToNetwork(at.x + 3, at.y - 2, found, second), 0);
    return found;
  }

  // Shortest (1) or fastest (2), the way the add-in sets the weights up.
  void route_type(int type) {
    calc->SetPrimaryDistanceWeight(type == 1 ? 1 : 0);
    calc->SetPrimaryTimeWeight(type == 1 ? 0 : 1);
    calc->ApplyWeights();
    calc->SetSecondaryDistanceWeight(type == 1 ? 0 : 1);
    calc->SetSecondaryTimeWeight(type == 1 ? 1 : 0);
  }

  DrawnNetwork net;
  com::ComPtr<NetBase> base = com::create_object<NetBase>(NetBaseProgId);
  com::ComPtr<NetCalc> calc = com::create_object<NetCalc>(NetCalcProgId);
};

TEST_F(Engine, EachNetworkObjectHasItsOwnIdentifier) {
  const auto other = com::create_object<NetBase>(NetBaseProgId);
  ASSERT_TRUE(other);
  EXPECT_NE(base->GetIdentifier(), 0);
  EXPECT_NE(base->GetIdentifier(), other->GetIdentifier());
  EXPECT_EQ(calc->SetNet(other->GetIdentifier()), 0);
  EXPECT_EQ(calc->SetNet(-5), -30);

  std::int32_t result = -1;
  EXPECT_NE(base->AboutCV(1, result).find("tamix"), std::string::npos);
  EXPECT_EQ(result, 0);
}

TEST_F(Engine, TwoNetworksInOneProcessStayApart) {
  load();
  const DrawnNetwork small({{A, B}});
  const auto other = com::create_object<NetBase>(NetBaseProgId);
  const auto other_calc = com::create_object<NetCalc>(NetCalcProgId);
  other->SetNetworkFolder(small.folder().string());
  ASSERT_EQ(other->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  ASSERT_EQ(other->LoadNetwork(), 0);
  ASSERT_EQ(other_calc->SetNet(other->GetIdentifier()), 0);
  EXPECT_FLOAT_EQ(other_calc->SolveRoute(1, 2), 1.0f);
  EXPECT_EQ(other_calc->SolveRoute(1, 3), -30) << "the small network has two nodes";
  EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), 2.0f);
  other->Unload();
  EXPECT_TRUE(base->IsLoaded());
  EXPECT_EQ(other_calc->SolveRoute(1, 2), -10);
}

TEST_F(Engine, ProgressEventsReachTheReceiverDuringTheCall) {
  const auto log = com::make<ProgressLog>();
  const std::uint32_t cookie = base->Advise(log.get());
  ASSERT_NE(cookie, 0u);
  base->SetNetworkFolder(net.folder().string());
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  std::ofstream(net.folder() / "Attrib.txt") << "1\r\n2\r\n3\r\n1\r\n2\r\n3\r\n";
  ASSERT_EQ(base->CreateAttributeFile("Attrib.txt"), 0);
  ASSERT_EQ(base->LoadNetwork(), 0);
  for (const auto* events : {&log->create, &log->attribute, &log->load}) {
    ASSERT_FALSE(events->empty());
    EXPECT_EQ(events->back(), 100);
    EXPECT_TRUE(std::is_sorted(events->begin(), events->end()));
  }
  EXPECT_TRUE(base->Unadvise(cookie));
  EXPECT_FALSE(base->Unadvise(cookie));
  const std::size_t heard = log->load.size();
  ASSERT_EQ(base->LoadNetwork(), 0);
  EXPECT_EQ(log->load.size(), heard);
}

TEST_F(Engine, CodesForCallsThatCannotBeServed) {
  std::int32_t found = 0, second = 0;
  EXPECT_EQ(calc->SolveRoute(1, 2), -10) << "not bound";
  EXPECT_FALSE(base->IsLoaded());
  EXPECT_EQ(base->CreateNodeIndex(), -10);
  EXPECT_EQ(base->SnapToNetwork(0, 0, found, second), -10);
  base->SetNetworkFolder(net.folder().string());
  EXPECT_EQ(base->LoadNetwork(), -31) << "no network files yet";
  EXPECT_FALSE(base->IsLoaded());
  EXPECT_EQ(base->SetMapUnits(999), -30);
  EXPECT_EQ(base->SetDistanceUnits(2), -30);

  load();
  base->Unload();
  EXPECT_FALSE(base->HasNodeIndex());
  ASSERT_EQ(base->LoadNetwork(), 0);
  EXPECT_EQ(base->SnapToNetwork(0, 0, found, second), -34);
  EXPECT_EQ(base->FindNearestNode(0, 0, found, second), 0) << "makes its own index";
  EXPECT_TRUE(base->HasNodeIndex());
  found = 7;
  EXPECT_EQ(base->SnapToNetwork(std::nan(""), 0, found, second), -30) << "no place on the map";
  EXPECT_EQ(base->FindNearestNode(0, HUGE_VAL, found, second), -30);
  EXPECT_EQ(found, 7) << "no node handed out";

  const struct {
    const char* what;
    std::function<std::int32_t()> call;
    std::int32_t code;
  } cases[] = {
      {"path before a solve", [&] { return calc->GetPathLinkCount(1); }, -35},
      {"mark before a solve", [&] { return calc->MarkPathInResult(-1, 0); }, -35},
      {"cost before a solve", [&] { return std::int32_t(calc->GetPrimaryCostAt(1)); }, -35},
      {"tour node before a tour", [&] { return calc->GetTourNode(1); }, -37},
      {"unknown link closed", [&] { return base->SetLinkFlags(99, 1536); }, -30},
      {"unknown link flags", [&] { return base->SetLinkFlags(1, 7); }, -30},
      {"unknown link sped", [&] { return base->SetTempSpeed(0, 50); }, -30},
      {"negative link sped", [&] { return base->SetTempSpeed(-2, 50); }, -30},
      {"reset of one link", [&] { return base->ResetLinkCosts(3); }, -30},
      {"route from no node", [&] { return std::int32_t(calc->SolveRoute(0, 1)); }, -30},
      {"tour of no stops", [&] { return std::int32_t(calc->SolveTsp(0, 0)); }, -30},
      {"tour of unset stops", [&] { return std::int32_t(calc->SolveTsp(3, 0)); }, -30},
      {"tour mode 3", [&] { return std::int32_t(calc->SolveTsp(1, 3)); }, -30},
      {"stop 0", [&] { return calc->SetStop(0, 1); }, -30},
      {"output row without table", [&] { return calc->WriteOutputRow(0, "\"x\""); }, -32},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.call(), c.code) << c.what;
}

TEST_F(Engine, RouteAndItsPathAsTheAddInWalksIt) {
  load();
  route_type(1);
  ASSERT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), 2.0f);
  EXPECT_FLOAT_EQ(calc->GetSecondaryCostAt(node(C)), 2.0f);
  EXPECT_EQ(calc->GetLastReachedNode(), node(C));

  ASSERT_EQ(calc->GetPathLinkCount(node(C)), 3);
  EXPECT_EQ(calc->GetPathLink(1), -2) << "link 2 is drawn from C to B";
  EXPECT_EQ(calc->GetPathLink(2), 1);
  EXPECT_EQ(calc->GetPathLink(3), 0);
  EXPECT_EQ(calc->GetPathNode(1), node(C));
  EXPECT_EQ(calc->GetPathNode(2), node(B));
  EXPECT_EQ(calc->GetPathNode(3), node(A));
  EXPECT_EQ(calc->GetPathNode(4), -36);
  EXPECT_FLOAT_EQ(calc->GetLinkLength(1), 1.0f);
  EXPECT_FLOAT_EQ(calc->GetLinkLength(2), 2.0f);
  EXPECT_FLOAT_EQ(calc->GetLinkTime(2), 2.0f);

  EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), node(A)), 0.0f);
  EXPECT_EQ(calc->GetPathLinkCount(node(A)), 1);

  EXPECT_EQ(calc->SolveRoute(node(A), node(F)), -33.0f);
  EXPECT_EQ(calc->GetPathLinkCount(node(F)), 0);
  const std::int32_t nearest = calc->GetLastReachedNode(); // to F
  EXPECT_EQ(nearest, node(E));
  EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), nearest), 3.0f);
}

TEST_F(Engine, CostsFollowTheSettingsOfEachRun) {
  load();
  // Each step changes the settings, then the route from A to C is solved again.
  const struct {
    const char* what;
    std::function<void()> change;
    float cost;
  } steps[] = {
      {"shortest", [&] { route_type(1); }, 2.0f},
      {"closed A-B", [&] { base->SetLinkFlags(1, 1536); }, 4.0f},
      {"reset", [&] { base->ResetLinkCosts(-1); }, 2.0f},
      {"fastest", [&] { route_type(2); }, 2.0f},
      {"A-B at 6 km/h", [&] { base->SetTempSpeed(1, 6); }, 4.0f},
      {"class 1 at 120 km/h", [&] { base->SetClassSpeed(33, 120); }, 2.0f}, // 33 mod 32 = 1
      {"reset keeps the weights", [&] { base->ResetLinkCosts(-1); }, 1.0f},
      {"class speed 0: no way", [&] { base->SetClassSpeed(1, 0); }, -33.0f},
      {"miles",
       [&] {
         base->SetClassSpeed(1, 60);
         base->SetDistanceUnits(1);
       },
       1.2427424f},
      {"shortest in miles", [&] { route_type(1); }, 1.2427424f},
  };
  for (const auto& step : steps) {
    step.change();
    EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), step.cost) << step.what;
  }
}

TEST_F(Engine, ANewAttributeFileReclassesTheLoadedNetworkAtOnce) {
  load();
  route_type(2);
  ASSERT_EQ(base->SetClassSpeed(2, 6), 0);
  EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), 2.0f);
  // A-B becomes class 2 (6 km/h): the fastest way from A to C goes round by D and E.
  std::ofstream(net.folder() / "Attrib.txt") << "2\r\n1\r\n1\r\n1\r\n1\r\n1\r\n";
  ASSERT_EQ(base->CreateAttributeFile("Attrib.txt"), 0);
  EXPECT_TRUE(base->HasNodeIndex()) << "the node index follows the network";
  EXPECT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), 4.0f);
}

TEST_F(Engine, OneToAllStopsAtTheCutOff) {
  load();
  ASSERT_EQ(calc->SolveFromNode(node(A), 1.5f), 0);
  EXPECT_FLOAT_EQ(calc->GetPrimaryCostAt(node(B)), 1.0f);
  EXPECT_GT(calc->GetPrimaryCostAt(node(C)), 1e36f);
  EXPECT_EQ(calc->GetPathLinkCount(node(C)), 0);
  EXPECT_EQ(calc->GetPathLinkCount(node(B)), 2);
  ASSERT_EQ(calc->SolveFromNode(node(A), 0), 0);
  EXPECT_EQ(calc->GetPathLinkCount(node(E)), 3);
}

TEST_F(Engine, ResultFieldHoldsTheMarkedLegs) {
  load();
  EXPECT_EQ(calc->SetResultTable("nothing.dbf"), -32);
  ASSERT_EQ(calc->SetResultTable("net.dbf"), 0);
  EXPECT_EQ(calc->SetResultField("NOPE"), -20);
  EXPECT_EQ(calc->SetResultField("NAME"), -21);
  ASSERT_EQ(calc->SetResultField("CV_RESULT"), 0);
  ASSERT_EQ(calc->ClearResultField(-1, 0), 0);
  EXPECT_EQ(test::read_with_gdal(net.file(".dbf"), "CV_RESULT"), std::vector<double>(6, 0));

  route_type(1);
  ASSERT_FLOAT_EQ(calc->SolveRoute(node(A), node(C)), 2.0f);
  ASSERT_EQ(calc->MarkPathInResult(-1, 0), 0);
  ASSERT_FLOAT_EQ(calc->SolveRoute(node(C), node(E)), 1.0f);
  ASSERT_EQ(calc->MarkPathInResult(-1, 0), 0);
  // Links 1 and 2 from the first leg, link 4 from the second: each its cost at the far end.
  EXPECT_EQ(test::read_with_gdal(net.file(".dbf"), "CV_RESULT"),
            (std::vector<double>{1, 2, 0, 1, 0, 0}));
}

// Link values after searches from one or several centres. Costs in km (60 km/h: minutes alike):
// from A and E every node is at most 1 away; B is as near to both, so it goes to stop 1.
TEST_F(Engine, LinkValuesFromOneOrSeveralCentres) {
  load();
  route_type(1);
  ASSERT_EQ(calc->SetResultTable("net.dbf"), 0);
  ASSERT_EQ(calc->SetResultField("CV_RESULT"), 0);
  EXPECT_EQ(calc->WriteResults(), -37);
  EXPECT_EQ(calc->WriteCostsToResult(-1, 0, -1), -35);
  const auto result = [&] { return test::read_with_gdal(net.file(".dbf"), "CV_RESULT"); };

  ASSERT_EQ(calc->SolveFromNode(node(A), 1.5f), 0);
  ASSERT_EQ(calc->WriteCostsToResult(-1, 0, -1), 0);
  // Link 2 is reached at B for 1 but wholly only for 2, beyond the cut-off.
  EXPECT_EQ(result(), (std::vector<double>{1, 0, 1, 0, 0, 0}));

  ASSERT_EQ(calc->SetStop(1, node(A)), 0);
  ASSERT_EQ(calc->SetStop(2, node(E)), 0);
  ASSERT_EQ(calc->SolveMultiCentre(2, 0), 0);
  ASSERT_EQ(calc->WriteResults(), 0);
  EXPECT_EQ(result(), (std::vector<double>{1, 1, 1, 2, 2, 0}));
  const std::vector<float> far_ends{1, 2, 1, 1, 2};
  for (std::int32_t link = 1; link <= 5; ++link)
    EXPECT_FLOAT_EQ(calc->GetLinkLength(link), far_ends[link - 1]) << "link " << link;
  EXPECT_GT(calc->GetLinkLength(6), 1e36f);
  ASSERT_EQ(calc->WriteCostsToResult(-1, 0, -1), 0);
  EXPECT_EQ(result(), (std::vector<double>{1, 2, 1, 1, 2, 0}));

  ASSERT_EQ(calc->SolveMultiCentre(2, 1.5f), 0);
  ASSERT_EQ(calc->WriteResults(), 0);
  EXPECT_EQ(result(), (std::vector<double>{1, 0, 1, 2, 0, 0}));
  ASSERT_EQ(calc->WriteCostsToResult(-1, 0, -1), 0);
  EXPECT_EQ(result(), (std::vector<double>{1, 0, 1, 1, 0, 0}));
  // The costs written are always those of the last solve, of whichever kind.
  ASSERT_EQ(calc->SolveFromNode(node(E), 1.5f), 0);
  ASSERT_EQ(calc->WriteCostsToResult(-1, 0, -1), 0);
  EXPECT_EQ(result(), (std::vector<double>{0, 0, 0, 1, 0, 0}));

  EXPECT_EQ(calc->SolveMultiCentre(3, 0), -30); // stop 3 was never set
  EXPECT_EQ(calc->SolveMultiCentre(0, 0), -30);
  EXPECT_EQ(calc->WriteCostsToResult(0, 0, -1), -30);
  EXPECT_EQ(calc->ClearBreaks(), 0);
  EXPECT_EQ(calc->AddBreak(5), 0);
  EXPECT_EQ(calc->AddBreak(std::nan("")), -30);
}

TEST_F(Engine, ToursThroughTheInterface) {
  load();
  route_type(1);
  const XY stops[] = {A, E, D, C};
  for (std::int32_t k = 1; k <= 4; ++k)
    ASSERT_EQ(calc->SetStop(k, node(stops[k - 1])), 0);
  const struct {
    std::int16_t mode;
    float cost;
  } cases[] = {{0, 4}, {1, 6}, {2, 4}, {10, 4000}, {11, 6000}, {12, 4000}};
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(calc->SolveTsp(4, c.mode), c.cost) << "mode " << c.mode;
    EXPECT_EQ(calc->GetTourNode(1), node(A));
    EXPECT_EQ(calc->GetTourOrder(1), 1);
    if (c.mode % 10 != 1) {
      // The only best open tour is A, D, E, C: stops 1, 3, 2, 4.
      EXPECT_EQ(calc->GetTourOrder(2), 3);
      EXPECT_EQ(calc->GetTourNode(3), node(E));
      EXPECT_EQ(calc->GetTourOrder(4), 4);
    }
    EXPECT_EQ(calc->GetTourNode(5), -36);
  }
  ASSERT_FLOAT_EQ(calc->SolveRoute(node(A), node(D)), 1.0f);
  EXPECT_EQ(calc->GetTourNode(1), node(A)) << "routing the legs keeps the tour";

  ASSERT_EQ(calc->SetStop(5, node(D)), 0); // a second stop at D
  EXPECT_FLOAT_EQ(calc->SolveTsp(5, 1), 6.0f);
  std::vector<std::int32_t> order;
  for (std::int32_t p = 1; p <= 5; ++p)
    order.push_back(calc->GetTourOrder(p));
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
  ASSERT_EQ(calc->SetStop(5, node(F)), 0);
  EXPECT_EQ(calc->SolveTsp(5, 0), -38.0f);
  EXPECT_EQ(calc->SolveTsp(5, 10), -38.0f);
  EXPECT_EQ(calc->GetTourNode(1), -37);
}

TEST_F(Engine, OutputTableOfATimeDistanceRun) {
  load();
  route_type(1);
  base->SetOutputOption(1);
  const std::string path = net.folder().string() + "\\BatchRoute";
  ASSERT_EQ(calc->CreateOutputTable(path, 5), 0);
  ASSERT_EQ(calc->AddOutputField("FromPoint", 1, 40, 0), 0);
  ASSERT_EQ(calc->AddOutputField("ToPoint", 1, 50, 0), 0);
  ASSERT_EQ(calc->AddOutputField("Distance", 5, 0, 0), 0);
  ASSERT_EQ(calc->AddOutputField("Time", 5, 0, 0), 0);
  ASSERT_EQ(calc->AddOutputField("Comments", 1, 50, 0), 0);
  EXPECT_EQ(calc->AddOutputField("Bad", 3, 10, 0), -30);

  ASSERT_EQ(calc->SolveFromNode(node(A), 0), 0);
  const std::int32_t links = calc->GetPathLinkCount(node(C)) - 1;
  ASSERT_EQ(links, 2);
  ASSERT_EQ(calc->WriteOutputRow(links, R"("Home, ""A""","Work","2","2"," ")"), 0);
  for (std::int32_t k = links; k >= 1; --k) {
    const std::int32_t link = calc->GetPathLink(k);
    ASSERT_EQ(link > 0 ? calc->AddOutputLink(link, 0, 1) : calc->AddOutputLink(-link, 1, 0), 0);
  }
  EXPECT_EQ(calc->AddOutputLink(1, 0, 1), -30) << "the row asked for two links";
  ASSERT_EQ(calc->CloseOutputTable(), 0);
  EXPECT_EQ(calc->CloseOutputTable(), -32);

  const auto rows = test::read_table(net.folder() / "BatchRoute");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].values,
            (std::vector<std::string>{R"(Home, "A")", "Work", "2.000000", "2.000000", ""}));
  EXPECT_EQ(rows[0].parts, (std::vector<std::vector<XY>>{{A, B, C}}));
}

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(Engine, TheDefaultZoneRadiusIsThatOfTheNetworkLoadedLast) {
  load();
  EXPECT_DOUBLE_EQ(base->GetZoneRadius(), 1000);
  const DrawnNetwork one_long_link({{A, C}});
  base->SetNetworkFolder(one_long_link.folder().string());
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  ASSERT_EQ(base->LoadNetwork(), 0);
  EXPECT_DOUBLE_EQ(base->GetZoneRadius(), 2000);
}

TEST_F(Engine, ZonePolygonShapefilesAsTheAddInReadsThem) {
  load();
  route_type(1);
  // Links are 1000 m but link 5, 2000 m: the median is the default radius.
  EXPECT_DOUBLE_EQ(base->GetZoneRadius(), 1000);
  base->SetZoneRadius(100);
  EXPECT_DOUBLE_EQ(base->GetZoneRadius(), 100);

  const std::filesystem::path folder = net.folder();
  const std::string prj = R"(GEOGCS["WGS 84",DATUM["WGS_1984",)"
                          R"(SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],)"
                          R"(UNIT["degree",0.0174532925199433]])";
  std::ofstream(folder / "IsoPly.prj") << prj;
  ASSERT_EQ(calc->SetStop(1, node(A)), 0);
  ASSERT_EQ(calc->ClearBreaks(), 0);
  for (float limit : {0.5f, 1.3f, 2.5f})
    ASSERT_EQ(calc->AddBreak(limit), 0);
  base->SetOutputOption(1);
  const std::string path = folder.string() + "\\IsoPly";
  ASSERT_EQ(calc->WriteZonePolygons(path, 1, 0, 0, 0, 0, 0), 0);

  const auto rows = test::read_table(folder / "IsoPly");
  ASSERT_EQ(rows.size(), 3u);
  const std::vector<double> largest_first{2.5, 1.3, 0.5};
  for (std::size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(std::stod(rows[k].values.at(0)), largest_first[k]) << rows[k].values[0];
    EXPECT_FALSE(rows[k].parts.empty());
  }
  EXPECT_EQ(file_bytes(folder / "IsoPly.prj"), prj);

  // The same input gives the same files; a new run replaces the old one whole.
  const auto shapefile_bytes = [&] {
    std::vector<std::string> bytes;
    for (const char* extension : {".shp", ".shx", ".dbf"})
      bytes.push_back(file_bytes(folder / (std::string("IsoPly") + extension)));
    return bytes;
  };
  const auto first = shapefile_bytes();
  ASSERT_EQ(calc->WriteZonePolygons(path, 1, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(shapefile_bytes(), first);
  // A scratch set is the same files, only never synced to disk.
  base->SetOutputOption(tamix::ScratchShapefileOutput);
  ASSERT_EQ(calc->WriteZonePolygons(path, 1, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(shapefile_bytes(), first);
  base->SetOutputOption(tamix::ShapefileOutput);
  ASSERT_EQ(calc->ClearBreaks(), 0);
  ASSERT_EQ(calc->AddBreak(1), 0);
  ASSERT_EQ(calc->WriteZonePolygons(path, 1, -1, -50, -50, 500, 500), 0);
  const auto cut = test::read_table(folder / "IsoPly");
  ASSERT_EQ(cut.size(), 1u);
  for (const auto& part : cut[0].parts)
    for (const XY& p : part) {
      EXPECT_TRUE(p.x >= -50 && p.x <= 500 && p.y >= -50 && p.y <= 500) << p.x << " " << p.y;
    }
  EXPECT_EQ(file_bytes(folder / "IsoPly.prj"), prj);

  // Nearest-centre zones: one record per stop; stop 3 shares stop 1's node and owns nothing.
  ASSERT_EQ(calc->SetStop(2, node(E)), 0);
  ASSERT_EQ(calc->SetStop(3, node(A)), 0);
  ASSERT_EQ(calc->WriteNearestCentrePolygons(folder.string() + "/Nearest", 0, 0, 3, 0, 0, 0, 0), 0);
  const auto nearest = test::read_table(folder / "Nearest");
  ASSERT_EQ(nearest.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_EQ(std::stod(nearest[k].values.at(0)), k + 1.0);
  EXPECT_FALSE(nearest[0].parts.empty());
  EXPECT_FALSE(nearest[1].parts.empty());
  EXPECT_TRUE(nearest[2].parts.empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "Nearest.prj"));

  EXPECT_EQ(calc->WriteZonePolygons(path, 0, 0, 0, 0, 0, 0), -30);
  EXPECT_EQ(calc->WriteNearestCentrePolygons(path, 0, 0, 5, 0, 0, 0, 0), -30);
}

TEST_F(Engine, ARebuildComparesTheOldLinksOnlyWhenSettingsNameThem) {
  base->SetNetworkFolder(net.folder().string());
  ASSERT_EQ(base->SetMapUnits(7), 0);
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 1, ""), 0);
  EXPECT_EQ(base->LinksOfReplacedNetwork(), NetBase::OldLinks::unknown) << "a first build";
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 1, ""), 0);
  EXPECT_EQ(base->LinksOfReplacedNetwork(), NetBase::OldLinks::same);
  // Nothing to carry: the old files are not read, even damaged ones.
  std::ofstream(net.folder() / "coord.bin", std::ios::trunc) << "damaged";
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  EXPECT_EQ(base->LinksOfReplacedNetwork(), NetBase::OldLinks::unknown);
  ASSERT_EQ(base->LoadNetwork(), 0);
}

// A disk that fills during a build or an attribute file: the call fails with the file and the
// reason, the files of the earlier build stay whole and loadable, and no temporary is left.
TEST_F(Engine, AFullDiskAtAnyWriteNamesTheFileAndTheReason) {
  base->SetNetworkFolder(net.folder().string());
  ASSERT_EQ(base->SetMapUnits(7), 0);
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  std::ofstream(net.folder() / "Attrib.txt") << "1\r\n2\r\n3\r\n1\r\n2\r\n3\r\n";
  ASSERT_EQ(base->CreateAttributeFile("Attrib.txt"), 0);
  std::vector<rlim_t> rooms{0, 1, 39, 40};
  for (const char* file : {"link.bin", "dist.bin", "coord.bin", "node.bin", "attribute.bin"})
    rooms.push_back(rlim_t(std::filesystem::file_size(net.folder() / file) - 1));
  const std::pair<const char*, std::function<std::int32_t()>> calls[] = {
      {"CreateNetwork", [&] { return base->CreateNetwork(DrawnNetwork::layer, 1, ""); }},
      {"CreateAttributeFile", [&] { return base->CreateAttributeFile("Attrib.txt"); }}};
  std::set<std::string> named;
  for (const auto& [name, call] : calls)
    for (const auto room : rooms) {
      SCOPED_TRACE(std::string(name) + " with room for " + std::to_string(room) + " bytes");
      int pipe_ends[2];
      ASSERT_EQ(::pipe(pipe_ends), 0);
      const pid_t child = ::fork();
      if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{.rlim_cur = room, .rlim_max = room};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = call();
        const auto said = std::to_string(result) + "\n" + base->LastErrorText();
        [[maybe_unused]] const auto written = ::write(pipe_ends[1], said.data(), said.size());
        ::_exit(0);
      }
      ::close(pipe_ends[1]);
      std::string said;
      char buffer[512];
      for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, std::size_t(got));
      ::close(pipe_ends[0]);
      ASSERT_EQ(::waitpid(child, nullptr, 0), child);
      const auto code = said.substr(0, said.find('\n'));
      const auto reason = said.substr(said.find('\n') + 1);
      if (code != "0") {
        EXPECT_EQ(code, "-32") << reason; // a file not written, not one not found
        EXPECT_NE(reason.find(net.folder().string()), std::string::npos) << reason;
        EXPECT_NE(reason.find("would grow beyond what the device or the system allows"),
                  std::string::npos)
            << reason;
        named.insert(std::filesystem::path(reason.substr(0, reason.find(':'))).filename());
      }
      for (const auto& entry : std::filesystem::directory_iterator(net.folder()))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
      ASSERT_EQ(base->LoadNetwork(), 0);
    }
  EXPECT_TRUE(named.contains("link.bin"));
  EXPECT_TRUE(named.contains("attribute.bin"));
}

} // namespace

// Node layers as the add-in reads them: "node" has a point per node; "closenodes" has the nodes
// closer than the distance to another, with "Connected" as its second column (1 where a link
// joins the close pair, 0 for a gap), and no record when no node is that close. The add-in's
// ".prj" beside them stays.
class NodeExports : public Engine {
protected:
  static std::vector<std::string> field_names(const std::filesystem::path& dbf) {
    std::vector<std::string> names;
    DBFHandle table = DBFOpen(dbf.c_str(), "rb");
    EXPECT_NE(table, nullptr);
    for (int k = 0; table && k < DBFGetFieldCount(table); ++k) {
      char name[12] = {};
      DBFGetFieldInfo(table, k, name, nullptr, nullptr);
      names.push_back(name);
    }
    if (table)
      DBFClose(table);
    return names;
  }
};

TEST_F(NodeExports, NodesAndCloseNodesAsPointShapefiles) {
  // A short link of 3 m at B, and a gap of 3 m between (2000,0) and (2003,0).
  DrawnNetwork drawn({{{0, 0}, {1000, 0}},
                      {{1000, 0}, {1000, 3}},
                      {{1000, 3}, {1000, 1000}},
                      {{1000, 0}, {2000, 0}},
                      {{2003, 0}, {3000, 0}}});
  base->SetNetworkFolder(drawn.folder().string());
  ASSERT_EQ(base->SetMapUnits(7), 0);
  ASSERT_EQ(base->CreateNetwork(DrawnNetwork::layer, 0, ""), 0);
  ASSERT_EQ(base->LoadNetwork(), 0);
  const auto folder = drawn.folder();
  const std::string prj = R"(GEOGCS["WGS 84",DATUM["WGS_1984",)"
                          R"(SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],)"
                          R"(UNIT["degree",0.0174532925199433]])";
  std::ofstream(folder / "closenodes.prj") << prj;
  base->SetOutputOption(1);

  ASSERT_EQ(base->ExportNodes(), 0);
  const auto nodes = test::read_table(folder / "node");
  ASSERT_EQ(nodes.size(), 7u);
  EXPECT_EQ(field_names(folder / "node.dbf"), (std::vector<std::string>{"NODE_ID", "LINKS"}));
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    EXPECT_EQ(nodes[k].values.at(0), std::to_string(k + 1));
    const XY at = nodes[k].parts.at(0).at(0);
    // Three link ends meet at B, two at (1000,3), one at every other node.
    EXPECT_EQ(nodes[k].values.at(1), at == B ? "3" : (at == XY{1000, 3} ? "2" : "1"));
  }

  ASSERT_EQ(base->ExportCloseNodes(5.0f), 0);
  EXPECT_EQ(field_names(folder / "closenodes.dbf"),
            (std::vector<std::string>{"NODE_ID", "Connected"}));
  std::vector<std::pair<XY, std::string>> close;
  for (const auto& row : test::read_table(folder / "closenodes"))
    close.emplace_back(row.parts.at(0).at(0), row.values.at(1));
  std::ranges::sort(close, [](const auto& a, const auto& b) {
    return std::pair(a.first.x, a.first.y) < std::pair(b.first.x, b.first.y);
  });
  EXPECT_EQ(close, (std::vector<std::pair<XY, std::string>>{
                       {B, "1"}, {{1000, 3}, "1"}, {{2000, 0}, "0"}, {{2003, 0}, "0"}}));

  ASSERT_EQ(base->ExportCloseNodes(2.0f), 0);
  EXPECT_TRUE(test::read_table(folder / "closenodes").empty());
  EXPECT_EQ(base->ExportCloseNodes(0.0f), -30);
  EXPECT_EQ(file_bytes(folder / "closenodes.prj"), prj);
  base->Unload();
  EXPECT_EQ(base->ExportNodes(), -10);
}

} // namespace tamix
