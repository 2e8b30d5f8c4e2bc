#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_network.h"
#include "checks/subnet.h"
#include "dialogs/checks/subnets.h"
#include "host/active_view.h"
#include "host/layer.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using testing::CheckTest;

class SubnetCheck : public CheckTest {
protected:
  std::vector<double> view_extent() {
    const auto extent = document_->ActiveView()->Extent();
    return {extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax()};
  }
};

TEST_F(SubnetCheck, ShowsOneSubnetAfterAnotherThenSelectsThemAll) {
  build_check_network();
  std::vector<std::string> items;
  std::vector<std::int32_t> shown_subnet;
  std::vector<double> around_link;
  person_->expect<Subnets>("Subnets", [&](Subnets& dialog) {
    for (int i = 0; i < dialog.TotNets.ListCount(); ++i)
      items.push_back(dialog.TotNets.List(i));
    dialog.CmdShow.Click();
    dialog.TotNets.SetListIndex(1);
    dialog.CmdShow.Click();
    shown_subnet = selected();
    around_link = view_extent();
    dialog.CmdOk.Click();
  });
  ASSERT_TRUE(run(com::make<Subnet>()));

  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Detect Sub Nets: 2 Sub nets found in the present network",
                         "Select Subnets: Select Subnets Number"}));
  EXPECT_EQ(shared_state().gSubnetCount, 2);
  EXPECT_EQ(items, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(shown_subnet, std::vector<std::int32_t>{13});
  // The link runs along the x axis: its extent of no height is made square before it is
  // grown five times, to 5000 x 5000 about (8500, 0); the 1000 x 800 view shows it wider.
  EXPECT_EQ(around_link, (std::vector<double>{5375, -2500, 11625, 2500}));
  EXPECT_EQ(selected(), (std::vector<std::int32_t>{11, 12, 13}));
  // The network's extent, (-300, -300) to (9000, 6000), grown by half about its centre to
  // 13950 x 9450, shown taller by the view.
  EXPECT_EQ(view_extent(), (std::vector<double>{-2625, -2730, 11325, 8430}));
  std::vector<double> subnets(15, 0);
  subnets[11] = subnets[12] = 1;
  subnets[13] = 2;
  EXPECT_EQ(results(), subnets);
  EXPECT_TRUE(stamped());
  EXPECT_FALSE(gSubnetsForm().Loaded()) << "CLOSE unloads the dialog and empties its list";
}

TEST_F(SubnetCheck, ClosingByTheFrameLeavesTheMapAsItIs) {
  build_check_network();
  const auto before = view_extent();
  ASSERT_TRUE(run(com::make<Subnet>()));
  EXPECT_EQ(person_->seen.back(), "closed Subnets");
  EXPECT_TRUE(selected().empty());
  EXPECT_EQ(view_extent(), before);
  EXPECT_TRUE(stamped());
}

} // namespace
} // namespace corvane
