#include "fixture.h"
#include "reference.h"

#include "error.h"
#include "network_checks.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <string>

namespace tamix::test {
namespace {

// A link of a drawn graph between two numbered nodes; nodes 0 and 0 draw a record without a
// shape.
struct Drawn {
  NodeId from;
  NodeId to;
  double metres = 100;
};

// The network of the drawn links: link k is the k-th entry, nodes are numbered as drawn. The
// nodes all lie at one point, so searches have no straight-line bound to lean on.
Network drawn_network(const std::vector<Drawn>& links) {
  Network network;
  NodeId nodes = 0;
  network.link_ends.push_back({});
  network.link_metres.push_back(0);
  for (const Drawn& link : links) {
    network.link_ends.push_back({link.from, link.to});
    network.link_metres.push_back(link.metres);
    nodes = std::max({nodes, link.from, link.to});
  }
  network.link_class.assign(network.link_ends.size(), 1);
  network.node_points.assign(nodes + 1, Point{});
  network.graph = build_graph(network.link_ends, nodes);
  return network;
}

// A 2 x 3 grid of nodes 1-2-3 over 4-5-6, every link 100 long: the main net of most cases.
const std::vector<Drawn> grid = {{1, 2}, {2, 3}, {4, 5}, {5, 6}, {1, 4}, {2, 5}, {3, 6}};
const LinkValues on_grid(7, 0);

std::vector<Drawn> grid_with(std::vector<Drawn> more) {
  std::vector<Drawn> links = grid;
  links.insert(links.end(), more.begin(), more.end());
  return links;
}

LinkValues grid_then(LinkValues more) {
  LinkValues values = on_grid;
  values.insert(values.end(), more.begin(), more.end());
  return values;
}

// A chain of `links` links hanging at grid node 3, each 10 long.
std::vector<Drawn> grid_with_chain(NodeId links) {
  std::vector<Drawn> drawn = grid;
  for (NodeId k = 0; k < links; ++k)
    drawn.push_back({k == 0 ? 3 : 6 + k, 7 + k, 10});
  return drawn;
}

struct Case {
  std::string name;
  std::vector<Drawn> links;
  // Expected values of links 1, 2, ...
  LinkValues dead_ends;
  LinkValues parallel;
  LinkValues subnets;
  LinkValues unused;
};

const std::int32_t C = dead_end::cul_de_sac, L = dead_end::loop, B = dead_end::bridge,
                   M = dead_end::minor_net;

std::vector<Case> cases() {
  const NodeId chain = 100'000;
  return {
      {"grid alone", grid, on_grid, on_grid, on_grid, on_grid},
      {"pendant tree", grid_with({{3, 7}, {7, 8}, {7, 9}, {9, 10}}), grid_then({C, C, C, C}),
       grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0})},
      {"lollipop", grid_with({{3, 7}, {7, 8}, {8, 9}, {9, 7}}), grid_then({B, L, L, L}),
       grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0})},
      {"ring hung at one node, with a dead end off the ring",
       grid_with({{3, 7}, {7, 8}, {8, 3}, {8, 9}}), grid_then({L, L, L, C}),
       grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0}), grid_then({0, 0, 0, 0})},
      {"meshed net hung at one node, beyond it a bridge to a ring",
       grid_with(
           {{3, 7}, {7, 8}, {8, 9}, {9, 3}, {3, 8, 140}, {8, 10}, {10, 11}, {11, 12}, {12, 10}}),
       grid_then({M, M, M, M, M, B, L, L, L}), grid_then({0, 0, 0, 0, 0, 0, 0, 0, 0}),
       grid_then({0, 0, 0, 0, 0, 0, 0, 0, 0}), grid_then({0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"other parts: a ring, a tree, a record without a shape, a meshed net",
       grid_with({{7, 8},
                  {8, 9},
                  {9, 7},
                  {10, 11},
                  {11, 12},
                  {0, 0},
                  {13, 14},
                  {14, 15},
                  {15, 16},
                  {16, 13},
                  {13, 15}}),
       grid_then({L, L, L, C, C, 0, M, M, M, M, M}), grid_then({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
       grid_then({1, 1, 1, 2, 2, 0, 3, 3, 3, 3, 3}), grid_then({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"a lone link as its own part: a tree of one link", grid_with({{7, 8}}), grid_then({C}),
       grid_then({0}), grid_then({1}), grid_then({0})},
      {"equal parts: the one with the lowest link is the main one",
       {{4, 5}, {5, 6}, {6, 4}, {1, 2}, {2, 3}, {3, 1}},
       {0, 0, 0, L, L, L},
       {0, 0, 0, 0, 0, 0},
       {0, 0, 0, 1, 1, 1},
       {0, 0, 0, 0, 0, 0}},
      {"the main part is the one with most links, not the first",
       {{1, 2}, {3, 4}, {4, 5}},
       {C, 0, C},
       {0, 0, 0},
       {1, 0, 0},
       {0, 0, 0}},
      {"parallel links, either way round, numbered by their lowest links; the longer unused",
       grid_with({{3, 7}, {7, 3}, {1, 2, 120}}),
       grid_then({L, L, 0}),
       {1, 0, 0, 0, 0, 0, 0, 2, 2, 1},
       grid_then({0, 0, 0}),
       {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
      {"three parallel links make a meshed block", grid_with({{3, 7}, {7, 3}, {3, 7}}),
       grid_then({M, M, M}), grid_then({1, 1, 1}), grid_then({0, 0, 0}), grid_then({0, 0, 0})},
      {"loops: on the grid, and at the end of a dead end", grid_with({{3, 3}, {3, 7}, {7, 7}}),
       grid_then({L, C, L}), grid_then({0, 0, 0}), grid_then({0, 0, 0}), grid_then({L, 0, L})},
      {"a loop alone is a part of its own", grid_with({{7, 7}}), grid_then({L}), grid_then({0}),
       grid_then({1}), grid_then({L})},
      {"detours: shorter than the link, exactly as long, longer",
       grid_with({{4, 6, 250}, {1, 3, 200}, {1, 6, 299}}), grid_then({0, 0, 0}),
       grid_then({0, 0, 0}), grid_then({0, 0, 0}), grid_then({1, 0, 0})},
      {"links of length 0 are used",
       grid_with({{3, 7, 0}, {7, 3, 0}, {1, 2, 0}}),
       grid_then({L, L, 0}),
       {1, 0, 0, 0, 0, 0, 0, 2, 2, 1},
       grid_then({0, 0, 0}),
       {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"a network that is one tree: its lowest link is the main net",
       {{2, 1}, {2, 3}, {3, 4}, {2, 5}},
       {0, C, C, C},
       {0, 0, 0, 0},
       {0, 0, 0, 0},
       {0, 0, 0, 0}},
      {"a chain of 100,000 links hung at the grid", grid_with_chain(chain),
       grid_then(LinkValues(chain, C)), grid_then(LinkValues(chain, 0)),
       grid_then(LinkValues(chain, 0)), grid_then(LinkValues(chain, 0))},
  };
}

::testing::AssertionResult values_are(const LinkValues& found, const LinkValues& expected) {
  if (found.empty() || found[0] != 0)
    return ::testing::AssertionFailure() << "slot 0 is not an empty 0";
  if (found.size() != expected.size() + 1)
    return ::testing::AssertionFailure()
           << found.size() - 1 << " values for " << expected.size() << " links";
  for (std::size_t k = 0; k < expected.size(); ++k)
    if (found[k + 1] != expected[k])
      return ::testing::AssertionFailure()
             << "link " << k + 1 << " has " << found[k + 1] << ", expected " << expected[k];
  return ::testing::AssertionSuccess();
}

std::int32_t highest(const LinkValues& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

std::int32_t marked(const LinkValues& values) {
  return std::int32_t(std::count_if(values.begin(), values.end(), [](auto v) { return v != 0; }));
}

TEST(NetworkChecks, DrawnGraphsGetTheirValues) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const Network network = drawn_network(c.links);
    EXPECT_TRUE(values_are(find_dead_ends(network), c.dead_ends)) << "dead ends";
    const CheckResult parallel = find_parallel_links(network);
    EXPECT_TRUE(values_are(parallel.of_link, c.parallel)) << "parallel links";
    EXPECT_EQ(parallel.count, highest(c.parallel));
    const CheckResult subnets = find_subnets(network);
    EXPECT_TRUE(values_are(subnets.of_link, c.subnets)) << "subnets";
    EXPECT_EQ(subnets.count, highest(c.subnets));
    const CheckResult unused = find_unused_links(network);
    EXPECT_TRUE(values_are(unused.of_link, c.unused)) << "unused links";
    EXPECT_EQ(unused.count, marked(c.unused));
  }
}

// What the checks must agree with on any graph, found the slow way: a link is a bridge when
// taking it away parts its ends; a link is unused when the textbook Dijkstra finds its ends
// closer than its length.
bool joined_without(const Network& network, LinkId without) {
  const auto [from, to] = network.link_ends[without];
  std::vector<bool> seen(network.node_count() + 1, false);
  std::vector<NodeId> todo{from};
  seen[from] = true;
  while (!todo.empty()) {
    const NodeId node = todo.back();
    todo.pop_back();
    for (ArcId arc = network.graph.arcs_begin(node); arc < network.graph.arcs_end(node); ++arc)
      if (link_of(network.graph.arc_link[arc]) != without && !seen[network.graph.head[arc]]) {
        seen[network.graph.head[arc]] = true;
        todo.push_back(network.graph.head[arc]);
      }
  }
  return seen[to];
}

TEST(NetworkChecks, RandomGraphsAgreeWithTheSlowWay) {
  std::mt19937 random(test_seed(19));
  for (int round = 0; round < 40; ++round) {
    const NodeId nodes = 2 + random() % 40;
    const std::size_t links = random() % (2 * nodes);
    std::vector<Drawn> drawn;
    for (std::size_t k = 0; k < links; ++k)
      drawn.push_back({NodeId(1 + random() % nodes), NodeId(1 + random() % nodes),
                       double(1 + random() % 5) * 10});
    const Network network = drawn_network(drawn);
    const LinkValues dead_ends = find_dead_ends(network);
    const CheckResult unused = find_unused_links(network);
    const LinkValues main = find_subnets(network).of_link;
    SCOPED_TRACE("round " + std::to_string(round));
    for (LinkId link = 1; link <= network.link_count(); ++link) {
      const auto [from, to] = network.link_ends[link];
      const bool loop = from == to;
      const bool bridge = !loop && !joined_without(network, link);
      const std::int32_t value = dead_ends[link];
      // The main net may be a single link only when its whole part is a tree.
      if (bridge && !(value == 0 && main[link] == 0)) {
        EXPECT_TRUE(value == dead_end::cul_de_sac || value == dead_end::bridge)
            << "bridge " << link << " has " << value;
      } else if (!bridge) {
        EXPECT_TRUE(value != dead_end::cul_de_sac && value != dead_end::bridge)
            << "link " << link << " is no bridge but has " << value;
      }
      const double apart = reference_dijkstra(network, {}, from)[to] * 1000;
      const std::int32_t expected = loop                                       ? unused_link::loop
                                    : apart < network.link_metres[link] - 1e-6 ? unused_link::unused
                                                                               : unused_link::used;
      EXPECT_EQ(unused.of_link[link], expected) << "link " << link;
    }
  }
}

// Chains of joinable links on drawn networks. Node 1 and node 9 are junctions with two dead ends
// each; the road between them runs 1-2-3-...-9 unless a case draws it otherwise.
struct JoinCase {
  std::string name;
  std::vector<Drawn> links;
  LinkValues expected;
  double limit = 0;
  std::vector<std::uint8_t> classes = {}; // of links 1, 2, ... (all 1 when empty)
  std::vector<std::string> texts = {};    // of links 1, 2, ... (none when empty)
};

std::vector<Drawn> junctions_with(std::vector<Drawn> road) {
  std::vector<Drawn> links = {{1, 20}, {1, 21}, {9, 22}, {9, 23}};
  links.insert(links.end(), road.begin(), road.end());
  return links;
}

std::vector<JoinCase> join_cases() {
  const std::vector<Drawn> road = {{1, 2}, {3, 2}, {3, 9}}; // the middle link drawn backwards
  return {
      {"a road of three links between junctions", junctions_with(road), {0, 0, 0, 0, 1, 1, 1}},
      {"a road of two links between dead ends", {{1, 2}, {2, 3}}, {1, 1}},
      {"a ring found after a road is numbered first: chains go by their lowest links",
       {{1, 2}, {2, 3}, {3, 1}, {5, 6}, {6, 7}},
       {1, 1, 0, 2, 2}},
      {"another road class breaks the chain",
       junctions_with(road),
       {0, 0, 0, 0, 0, 0, 0},
       0,
       {1, 1, 1, 1, 1, 2, 1}},
      {"another join text breaks the chain",
       junctions_with(road),
       {0, 0, 0, 0, 1, 1, 0},
       0,
       {},
       {"", "", "", "", "Main", "Main", "Side"}},
      {"a limit cuts the chain where it would grow longer",
       junctions_with(road),
       {0, 0, 0, 0, 1, 1, 0},
       250},
      {"a limit below every link joins nothing", junctions_with(road), {0, 0, 0, 0, 0, 0, 0}, 50},
      {"a ring through pseudo-nodes only is cut before its last link",
       {{1, 2}, {2, 3}, {3, 4}, {4, 1}},
       {1, 1, 1, 0}},
      {"a ring hung at a junction is cut before its last link",
       {{1, 20}, {1, 21}, {1, 2}, {2, 3}, {3, 1}},
       {0, 0, 1, 1, 0}},
      {"two links between a junction and a pseudo-node do not make a ring",
       {{1, 20}, {1, 21}, {1, 2}, {2, 1}},
       {0, 0, 0, 0}},
      {"a loop is never joined; a record without a shape is skipped",
       {{1, 1}, {1, 2}, {0, 0}, {2, 3}},
       {0, 1, 0, 1}},
  };
}

TEST(JoinableLinks, DrawnRoadsGetTheirChains) {
  for (const JoinCase& c : join_cases()) {
    SCOPED_TRACE(c.name);
    Network network = drawn_network(c.links);
    for (std::size_t k = 0; k < c.classes.size(); ++k)
      network.link_class[k + 1] = c.classes[k];
    std::vector<std::string> texts;
    if (!c.texts.empty()) {
      texts.push_back("");
      texts.insert(texts.end(), c.texts.begin(), c.texts.end());
    }
    const CheckResult chains = find_joinable_links(network, c.limit, texts);
    EXPECT_TRUE(values_are(chains.of_link, c.expected));
    EXPECT_EQ(chains.count, highest(c.expected));
  }
}

TEST(JoinableLinks, TheJoinFileHasOneLinePerLink) {
  const TempFolder folder;
  const auto file = folder.path() / "roads.txt";
  std::ofstream(file, std::ios::binary) << "Main\r\n\r\nSide\n";
  EXPECT_EQ(read_join_texts(file, 3), (std::vector<std::string>{"", "Main", "", "Side"}));
  try {
    read_join_texts(file, 4);
    ADD_FAILURE() << "a file one line short was read";
  } catch (const Error& error) {
    EXPECT_EQ(error.code(), code::general_error);
    EXPECT_NE(std::string(error.what()).find("3 lines for the network's 4 links"),
              std::string::npos)
        << error.what();
  }
}

} // namespace
} // namespace tamix::test
