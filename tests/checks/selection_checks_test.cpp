#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "check_network.h"
#include "checks/parallel_link.h"
#include "checks/subnet.h"
#include "checks/unused_link.h"
#include "host/layer.h"
#include "network/state/shared_state.h"
#include "routing/route_output.h"

namespace corvane {
namespace {

using testing::CheckTest;

class SelectionChecks : public CheckTest {
protected:
  void select_link(std::int32_t id) {
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(open("roads")->GetFeature(id, &feature), com::S_OK);
    NetworkLayer(map()).as<host::HostFeatureSelection>()->Add(feature.get());
  }
};

TEST_F(SelectionChecks, ParallelLinksReplaceTheSelectionAndStayMarked) {
  build_check_network();
  select_link(3);
  ASSERT_TRUE(run(com::make<ParallelLink>()));
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Parallel Links: 2  Parallel links found in the present Network"}));
  EXPECT_EQ(selected(), (std::vector<std::int32_t>{0, 10}));
  std::vector<double> marks(15, 0);
  marks[0] = marks[10] = 1;
  EXPECT_EQ(results(), marks);
  EXPECT_TRUE(stamped());
}

TEST_F(SelectionChecks, UnusedLinksAndLoopsAreAddedToTheSelection) {
  build_check_network();
  select_link(3);
  ASSERT_TRUE(run(com::make<UnusedLink>()));
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Unused Links: 2  Unused Links found in the present Network"}));
  EXPECT_EQ(selected(), (std::vector<std::int32_t>{3, 10, 14}));
  std::vector<double> marks(15, 0);
  marks[10] = 1;
  marks[14] = 2;
  EXPECT_EQ(results(), marks);
  EXPECT_TRUE(stamped());
}

TEST_F(SelectionChecks, NothingFound) {
  struct Case {
    std::string progid;
    com::ComPtr<host::ICommand> command;
    std::string message;
    bool stamped;
  };
  for (const Case& c : std::vector<Case>{
           {"ParallelLink", com::make<ParallelLink>(),
            "Parallel Links: 0  Parallel links found in the present Network", true},
           {"UnusedLink", com::make<UnusedLink>(), "UNUSED LINK: No Unused links found", false},
           {"Subnet", com::make<Subnet>(), "Subnets: No sub nets found", false}}) {
    SCOPED_TRACE(c.progid);
    person_->messages.clear();
    person_->seen.clear();
    build_square();
    ASSERT_TRUE(run(c.command));
    EXPECT_EQ(shown(), std::vector<std::string>{c.message});
    EXPECT_TRUE(selected().empty());
    EXPECT_TRUE(person_->seen.size() == 1) << "no dialog";
    EXPECT_EQ(results(), std::vector<double>(4, 0));
    EXPECT_EQ(stamped(), c.stamped);
    TearDown();
    SetUp();
  }
}

TEST_F(SelectionChecks, UnusedLinksRefuseWithoutProjectionBeforeTheEngineRuns) {
  build_check_network();
  ASSERT_TRUE(run(com::make<ParallelLink>()));
  const auto marks = results();
  std::filesystem::remove(path("roads.prj"));
  ASSERT_TRUE(run(com::make<UnusedLink>()));
  EXPECT_EQ(shown().back(), "PRJ: The chosen polyline layer is missing projection information. "
                            "Please use ArcCatalog to add this.");
  EXPECT_EQ(results(), marks);
}

// A failing engine call ends the check with a box that says what failed.
TEST_F(SelectionChecks, AnEngineFailureIsShown) {
  build_check_network();
  shared_state().gNetBase->Unload();
  ASSERT_TRUE(run(com::make<ParallelLink>()));
  EXPECT_EQ(shown(), std::vector<std::string>{"Error: Network not loaded"});
  EXPECT_FALSE(stamped());
}

} // namespace
} // namespace corvane
