#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/merge_joinable_chains.h"
#include "checks/pseudo_nodes.h"
#include "dialogs/checks/back.h"
#include "dialogs/checks/frm_unused_link.h"
#include "dialogs/checks/link_limit.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using testing::CheckTest;
namespace fs = std::filesystem;
using Runs = std::vector<std::vector<std::int32_t>>;

// Link k of a straight road runs from (k, 0) to (k + 1, 0); `reversed` draws it backwards.
ChainLink road_link(std::int32_t k, bool reversed = false) {
  return reversed ? ChainLink{k, k + 1.0, 0, double(k), 0} : ChainLink{k, double(k), 0, k + 1.0, 0};
}

TEST(JoinRuns, LinksOfAChainInTheOrderTheLayerGivesThem) {
  const struct {
    const char* what;
    std::vector<ChainLink> chain;
    Runs expected;
  } cases[] = {
      {"three links given as first, third, second",
       {road_link(0), road_link(2), road_link(1)},
       {{0, 1, 2}}},
      {"four links given as first, fourth, third, second",
       {road_link(0), road_link(3), road_link(2), road_link(1)},
       {{0, 1, 2, 3}}},
      {"links drawn either way",
       {road_link(1, true), road_link(0), road_link(2, true)},
       {{1, 0, 2}}},
      {"two runs that never meet",
       {road_link(0), road_link(1), road_link(5), road_link(6)},
       {{0, 1}, {5, 6}}},
      {"a single link", {road_link(0)}, {}},
      {"five links in one chain",
       {road_link(0), road_link(4), road_link(3), road_link(2), road_link(1)},
       {{0, 1, 2, 3, 4}}},
      {"no two links meet", {road_link(0), road_link(2), road_link(4)}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(JoinRuns(c.chain), c.expected);
  }
}

// A road of three links, then a junction with two links beyond it:
//   (0,0) -0- (1000,0) -1- (2000,0) -2- (3000,0) -4- (4000,0)
//                                           | 3
//                                       (3000,1000)
// Link 1 is drawn backwards; links 0 and 1 are "Main", link 2 "Side", links 3 and 4 "Cross".
class PseudoNodeRemoval : public CheckTest {
protected:
  // The network of `roads`, with the sample's ".prj".
  void build(const std::vector<testing::Road>& roads) {
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj",
                  path("roads.prj"));
    build_network(roads);
  }

  void build_road() {
    build({{{{0, 0}, {1000, 0}}, "Main"},
           {{{2000, 0}, {1000, 0}}, "Main"},
           {{{2000, 0}, {3000, 0}}, "Side"},
           {{{3000, 0}, {3000, 1000}}, "Cross"},
           {{{3000, 0}, {4000, 0}}, "Cross"}});
  }

  // The person's way through the command: the join column (none when empty), CONTINUE, the
  // limit, and whether the add-in joins.
  void answer(const std::string& join_column, const std::string& limit, bool combine) {
    person_->answers.push_back(join_column.empty() ? forms::Answer::No : forms::Answer::Yes);
    if (!join_column.empty())
      person_->expect<FrmUnusedLink>("FrmUnusedLink", [this, join_column](FrmUnusedLink& dialog) {
        for (int k = 0; k < dialog.Combo1.ListCount(); ++k)
          offered.push_back(dialog.Combo1.List(k));
        first_offered = dialog.Combo1.Text();
        dialog.Combo1.SetText(join_column);
        dialog.OkCmd.Click();
      });
    person_->expect<Back>("Back", [](Back& dialog) { dialog.Continue.Click(); });
    person_->expect<LinkLimit>("LinkLimit", [this, limit](LinkLimit& dialog) {
      join_file = read(path("roads.txt"));
      dialog.Text1.SetText(limit);
      EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "CmdOk is disabled");
      EXPECT_EQ(dialog.Perform("Text1", {forms::Gesture::Hover, ""}), "");
      dialog.CmdOk.Click();
    });
    person_->answers.push_back(combine ? forms::Answer::Yes : forms::Answer::No);
  }

  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Each feature as "NAME: x,y x,y ...".
  std::vector<std::string> features() {
    const auto roads = open("roads");
    std::vector<std::string> found;
    std::int32_t count = 0;
    EXPECT_EQ(roads->FeatureCount(nullptr, &count), com::S_OK);
    for (std::int32_t id = 0; id < count; ++id) {
      com::ComPtr<host::HostFeature> feature;
      EXPECT_EQ(roads->GetFeature(id, &feature), com::S_OK);
      std::string text = feature->Value(roads->FindField("NAME")).to_string().value_or("") + ":";
      const auto line = feature->Shape().as<host::HostPolyline>();
      for (int p = 0; p < line->PathCount(); ++p)
        for (const auto& xy : line->PathAt(p))
          text += " " + std::to_string(int(xy.x)) + "," + std::to_string(int(xy.y));
      found.push_back(text);
    }
    return found;
  }

  std::vector<std::string> offered;
  std::string first_offered;
  std::string join_file;
};

TEST_F(PseudoNodeRemoval, JoiningByNameMergesTheLinksOfEachNameAndUnloadsTheNetwork) {
  build_road();
  std::ofstream(path("node.bin"), std::ios::app);
  answer("NAME", "0", true);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));

  EXPECT_EQ(offered, (std::vector<std::string>{"NAME", "CV_RESULT"}));
  EXPECT_EQ(first_offered, "NAME");
  EXPECT_EQ(join_file, "Main\r\nMain\r\nSide\r\nCross\r\nCross\r\n");
  EXPECT_EQ(features(),
            (std::vector<std::string>{"Side: 2000,0 3000,0", "Cross: 3000,0 3000,1000",
                                      "Cross: 3000,0 4000,0", "Main: 0,0 1000,0 2000,0"}));
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Join Column: Do you want to use a column as join delimiter\r(Usually "
                         "the streetname)?",
                         "Combine Elements: Do you want Corvane to perform the actual\nCombine of "
                         "elements (Yes)or do you want to\ndo it yourself (NO)",
                         "Network Change: Current Network has changed. Create the Network again"}));
  EXPECT_FALSE(base_->IsLoaded());
  EXPECT_FALSE(fs::exists(path("roads.txt")));
  EXPECT_FALSE(fs::exists(path("node.bin")));
  EXPECT_TRUE(stamped());
}

TEST_F(PseudoNodeRemoval, DoingItYourselfSelectsTheChainsAndKeepsTheNetwork) {
  build_road();
  answer("", "0", false);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(results(), (std::vector<double>{1, 1, 1, 0, 0}));
  EXPECT_EQ(selected(), (std::vector<std::int32_t>{0, 1, 2}));
  EXPECT_EQ(shown().back(), "JOIN LINKS: Done");
  EXPECT_TRUE(join_file.empty());
  EXPECT_TRUE(base_->IsLoaded());
  EXPECT_TRUE(stamped());
}

// Each dialog's result is set back before it shows: a window closed by its frame, or a failure
// in OK, never goes on with what an earlier run chose.
TEST_F(PseudoNodeRemoval, ADialogClosedByItsFrameEndsTheCommandWhateverTheLastRunChose) {
  build_road();
  auto& state = shared_state();

  state.gBackDialogResult = 1;
  person_->answers.push_back(forms::Answer::No);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(person_->seen.back(), "closed Back");
  EXPECT_EQ(shown().size(), 1u);

  state.gLinkLimitOk = 1;
  person_->answers.push_back(forms::Answer::No);
  person_->expect<Back>("Back", [](Back& dialog) { dialog.Continue.Click(); });
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(person_->seen.back(), "closed LinkLimit");
  EXPECT_EQ(results(), (std::vector<double>{0, 0, 0, 0, 0}));

  // The join column file cannot be written where a folder of its name stands.
  fs::create_directory(path("roads.txt"));
  state.gUnusedLinkDialogResult = 1;
  person_->answers.push_back(forms::Answer::Yes);
  person_->expect<FrmUnusedLink>("FrmUnusedLink",
                                 [](FrmUnusedLink& dialog) { dialog.OkCmd.Click(); });
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(state.gUnusedLinkDialogResult, 0);
  EXPECT_EQ(person_->pending(), 0u);
  EXPECT_NE(person_->seen.back(), "modal Back");
  EXPECT_EQ(features().size(), 5u);
}

// The limit is the number typed, a decimal comma for the point: OK stays disabled while the
// entry is no number, and a negative limit is refused.
TEST_F(PseudoNodeRemoval, TheLinkLimitIsTheNumberTyped) {
  const struct {
    const char* typed;
    const char* ok_click; // what a click on OK does after the mouse moved: "" when it is enabled
    std::vector<std::string> said;
    float stored; // gLinkLimitValue when accepted
  } cases[] = {
      {"12,5", "", {}, 12.5f},
      {" 12.5 ", "", {}, 12.5f},
      {"0", "", {}, 0},
      {"-1", "", {"Invalid Value: Invalid Value"}, 0},
      {"-0,5", "", {"Invalid Value: Invalid Value"}, 0},
      {"12 m", "CmdOk is disabled", {}, 0},
      {"1,200.5", "CmdOk is disabled", {}, 0},
      {"", "CmdOk is disabled", {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
    auto& state = shared_state();
    state.gLinkLimitOk = 0;
    state.gLinkLimitValue = -7;
    person_->messages.clear();
    std::string clicked;
    person_->expect<LinkLimit>("LinkLimit", [&](LinkLimit& dialog) {
      dialog.Text1.SetText(c.typed);
      EXPECT_EQ(dialog.Perform("Text1", {forms::Gesture::Hover, ""}), "");
      clicked = dialog.Perform("CmdOk", {forms::Gesture::Click, ""});
      if (dialog.Visible())
        dialog.Cmdcan.Click();
    });
    gLinkLimitForm().Show(forms::ShowMode::Modal);
    EXPECT_EQ(clicked, c.ok_click);
    EXPECT_EQ(shown(), c.said);
    const bool accepted = c.ok_click[0] == '\0' && c.said.empty();
    EXPECT_EQ(state.gLinkLimitOk, accepted ? 1 : 0);
    EXPECT_EQ(state.gLinkLimitValue, accepted ? c.stored : -7);
  }
}

TEST_F(PseudoNodeRemoval, AJoinColumnFileOfTheUsersOwnIsNeitherOverwrittenNorDeleted) {
  const char* users_files[] = {
      "my notes",
      "Main\r\nMain\r\nSide\r\nCross\r\n",         // a line short
      "Main\r\nMain\r\nSide\r\nCross\r\nCross\r\nx\r\n", // a line more
      "Main\nMain\nSide\nCross\nCross\n",              // not the add-in's line ends
      "Main\r\nMain\r\nSide\r\nCross\r\nCross",       // the last line unended
      "Main\r\nSide\r\nMain\r\nCross\r\nCross\r\n", // the names out of order
      "0\r\n1\r\n2\r\n3\r\n4\r\n",                 // the feature ids: no join column
  };
  build_road();
  for (const char* content : users_files) {
    SCOPED_TRACE(content);
    std::ofstream(path("roads.txt"), std::ios::binary) << content;
    person_->messages.clear();
    ASSERT_TRUE(run(com::make<PseudoNodes>()));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().front().rfind("Join Column: " + path("roads.txt") +
                                        " is not a join column file of this add-in",
                                    0),
              0u)
        << shown().front();
    EXPECT_EQ(read(path("roads.txt")), content);
  }
}

// The file an earlier session wrote, and never deleted because that session ended first, is
// the add-in's own: the command goes on and replaces it.
TEST_F(PseudoNodeRemoval, TheJoinColumnFileOfAnEarlierSessionIsTakenForTheAddInsOwn) {
  build_road();
  std::ofstream(path("roads.txt"), std::ios::binary) << "Main\r\nMain\r\nSide\r\nCross\r\nCross\r\n";
  answer("NAME", "0", true);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(shown().back(), "Network Change: Current Network has changed. Create the Network again");
  EXPECT_EQ(features().size(), 4u);
  EXPECT_FALSE(fs::exists(path("roads.txt")));
}

// A join the disk cannot take is refused in a titled box that names the layer and the reason
// and says the files were not changed, which they are not.
TEST_F(PseudoNodeRemoval, AJoinTheDiskCannotTakeIsRefusedByNameAndChangesNothing) {
  build_road();
  const auto before = read(path("roads.shp"));
  answer("NAME", "0", true);
  files::testing::before_step = [](files::testing::Step step, const fs::path& target) {
    if (step == files::testing::Step::create_temporary && target.extension() == ".dbf")
      throw files::FileError(target, "its new copy cannot be written (No space left on device)");
  };
  const bool ran = run(com::make<PseudoNodes>());
  files::testing::before_step = nullptr;
  ASSERT_TRUE(ran);
  ASSERT_FALSE(person_->messages.empty());
  const auto& refusal = person_->messages.back();
  EXPECT_EQ(refusal.title, "Layer Not Changed");
  EXPECT_EQ(refusal.icon, forms::Icon::Critical);
  EXPECT_EQ(refusal.text, "The network layer roads could not be rewritten: " + path("roads.dbf") +
                              ": its new copy cannot be written (No space left on device)\nIts "
                              "files were not changed.");
  EXPECT_EQ(read(path("roads.shp")), before);
  EXPECT_EQ(features().size(), 5u);
  EXPECT_TRUE(base_->IsLoaded());
}

TEST_F(PseudoNodeRemoval, ANetworkWithoutChainsHasNothingToJoinAndStaysLoaded) {
  build({{{{0, 0}, {1000, 0}}, "a"},
         {{{1000, 0}, {1000, 1000}}, "b"},
         {{{1000, 0}, {2000, 0}}, "c"}});
  answer("", "0", true);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  EXPECT_EQ(shown().back(), "Join links: No links found that can be joined");
  EXPECT_TRUE(base_->IsLoaded());
  EXPECT_EQ(features().size(), 3u);
}

// The merged network, built again, routes as before: between random pairs of junctions of a
// grid whose streets are drawn in pieces (so every piece end is a pseudo-node), the shortest
// distances are the same before and after the merge.
TEST_F(PseudoNodeRemoval, TheMergedNetworkRoutesAsBefore) {
  constexpr int size = 6;
  constexpr double spacing = 1000;
  std::mt19937 random(20);
  // Each street between neighbouring junctions in one to three pieces, bent at the piece ends.
  std::vector<testing::Road> roads;
  const auto street = [&](host::XY from, host::XY to) {
    const int pieces = 1 + int(random() % 3);
    host::XY last = from;
    for (int p = 1; p <= pieces; ++p) {
      const double t = double(p) / pieces, bend = p < pieces ? 37 : 0;
      const host::XY next{from.x + t * (to.x - from.x) + (from.x == to.x ? bend : 0),
                          from.y + t * (to.y - from.y) + (from.y == to.y ? bend : 0)};
      roads.push_back({{last, next}, "street"});
      last = next;
    }
  };
  for (int i = 0; i < size; ++i)
    for (int j = 0; j + 1 < size; ++j) {
      street({i * spacing, j * spacing}, {i * spacing, (j + 1) * spacing});
      street({j * spacing, i * spacing}, {(j + 1) * spacing, i * spacing});
    }
  build(roads);

  // Junctions of three or four streets survive the merge; corners do not.
  std::vector<host::XY> junctions;
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j)
      if ((i != 0 && i != size - 1) || (j != 0 && j != size - 1))
        junctions.push_back({i * spacing, j * spacing});
  std::vector<std::pair<host::XY, host::XY>> pairs;
  for (int k = 0; k < 40; ++k)
    pairs.emplace_back(junctions[random() % junctions.size()],
                       junctions[random() % junctions.size()]);
  const auto distances = [&] {
    std::vector<float> found;
    for (const auto& [a, b] : pairs) {
      std::int32_t from = 0, to = 0, second = 0;
      EXPECT_EQ(base_->FindNearestNode(a.x, a.y, from, second), 0);
      EXPECT_EQ(base_->FindNearestNode(b.x, b.y, to, second), 0);
      found.push_back(calc_->SolveRoute(from, to));
    }
    return found;
  };
  const auto before = distances();
  const auto links_before = features().size();

  answer("", "0", true);
  ASSERT_TRUE(run(com::make<PseudoNodes>()));
  ASSERT_FALSE(base_->IsLoaded());
  EXPECT_LT(features().size(), links_before);
  ASSERT_EQ(base_->CreateNetwork("roads", 0, ""), 0);
  ASSERT_EQ(base_->LoadNetwork(), 0);
  ASSERT_EQ(calc_->SetNet(base_->GetIdentifier()), 0);
  const auto after = distances();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t k = 0; k < before.size(); ++k)
    EXPECT_FLOAT_EQ(after[k], before[k]) << "pair " << k;
}

} // namespace
} // namespace corvane
