#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "com/create.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/shared_state.h"
#include "route_network.h"

namespace corvane {
namespace {

using Junction = std::pair<double, double>;

// A textbook shortest path over a road shapefile, apart from the engine: a link per record,
// junctions where end points are equal, a link's length the planar length of its shape.
class ReferenceRoads {
public:
  explicit ReferenceRoads(host::HostFeatureClass& roads) {
    com::ComPtr<host::HostFeatureCursor> cursor;
    EXPECT_EQ(roads.Search(nullptr, false, &cursor), com::S_OK);
    com::ComPtr<host::HostFeature> road;
    while (cursor->NextFeature(&road) == com::S_OK && road) {
      const auto line = road->Shape().as<host::HostPolyline>();
      if (!line || line->PathCount() == 0)
        continue;
      const auto first = line->PathAt(0).front();
      const auto last = line->PathAt(line->PathCount() - 1).back();
      const int a = junction({first.x, first.y});
      const int b = junction({last.x, last.y});
      links_[a].push_back({b, line->Length()});
      links_[b].push_back({a, line->Length()});
    }
  }

  double shortest(Junction from, Junction to) {
    const int source = junction(from);
    const int target = junction(to);
    std::vector<double> cost(links_.size(), std::numeric_limits<double>::infinity());
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    cost[source] = 0;
    queue.push({0, source});
    while (!queue.empty()) {
      const auto [reached, node] = queue.top();
      queue.pop();
      if (reached > cost[node])
        continue;
      if (node == target)
        return reached;
      for (const auto& [next, length] : links_[node])
        if (reached + length < cost[next]) {
          cost[next] = reached + length;
          queue.push({cost[next], next});
        }
    }
    return cost[target];
  }

private:
  int junction(Junction at) {
    const auto [place, added] = ids_.emplace(at, static_cast<int>(ids_.size()));
    if (added)
      links_.emplace_back();
    return place->second;
  }

  std::map<Junction, int> ids_;
  std::vector<std::vector<std::pair<int, double>>> links_;
};

class SampleRoute : public testing::RouteNetworkTest {
protected:
  com::ComPtr<host::HostFeatureClass> sample_roads() {
    const std::filesystem::path sample = CORVANE_SOURCE_DIR "/data/sample/gothenburg";
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
      std::filesystem::copy_file(sample / (std::string("roads") + extension),
                                 path("roads" + std::string(extension)));
    const auto roads = open("roads");
    // The result field, as the network opening adds it.
    const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
    field->SetName("CV_RESULT");
    field->SetType(host::field_double);
    field->SetLength(32);
    field->SetPrecision(10);
    field->SetScale(3);
    EXPECT_EQ(roads->AddField(field.get()), com::S_OK);
    return roads;
  }
  Junction stop(std::int32_t row) {
    const auto node = shared_state().gStopNodes[row];
    return {base_->GetNodeX(node), base_->GetNodeY(node)};
  }
};

TEST_F(SampleRoute, RouteAcrossTheCityIsTheTextbookShortestPath) {
  const auto roads = sample_roads();
  load_network(roads);
  click(678440.384, 6400655.559);
  click(678927.869, 6396406.794, 1);
  const double metres = ReferenceRoads(*roads).shortest(stop(0), stop(1));
  ASSERT_GT(metres, 4000) << "the stops lie " << metres << " m apart";

  ASSERT_EQ(user_->messages.size(), 1U);
  const auto& totals = user_->messages[0].text;
  const auto kilometres = std::stod(totals.substr(totals.find('=') + 1));
  EXPECT_NEAR(kilometres, metres / 1000, 1e-6 * metres / 1000) << totals;

  // The links written to "Route" are the path: their lengths add up to it.
  double written = 0;
  const auto route = open("Route");
  std::int32_t count = 0;
  ASSERT_EQ(route->FeatureCount(nullptr, &count), com::S_OK);
  for (std::int32_t id = 0; id < count; ++id) {
    com::ComPtr<host::HostFeature> link;
    ASSERT_EQ(route->GetFeature(id, &link), com::S_OK);
    written += link->Shape().as<host::HostCurve>()->Length();
  }
  EXPECT_NEAR(written, metres, 1e-6 * metres);
}

} // namespace
} // namespace corvane
