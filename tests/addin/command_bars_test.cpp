#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "addin/analize.h"
#include "addin/corvane1.h"
#include "addin/corvbar.h"
#include "addin/network.h"
#include "addin/preference.h"
#include "addin/route_batch.h"

namespace corvane {
namespace {

// The host's item definition: keeps what the bar sets, or fails a setter on request.
class ItemDef final : public com::ComObject<host::HostItemDef> {
public:
  std::string id = "untouched";
  bool group = true;
  com::HRESULT fail_with = com::S_OK;
  bool fail_group_only = false;

  com::HRESULT ID(std::string* out) override { return *out = id, com::S_OK; }
  com::HRESULT SetID(const std::string& value) override {
    if (com::FAILED(fail_with) && !fail_group_only)
      return fail_with;
    id = value;
    return com::S_OK;
  }
  com::HRESULT Group(bool* out) override { return *out = group, com::S_OK; }
  com::HRESULT SetGroup(bool value) override {
    if (com::FAILED(fail_with))
      return fail_with;
    group = value;
    return com::S_OK;
  }
  com::HRESULT SubType(long* out) override { return *out = 0, com::S_OK; }
  com::HRESULT SetSubType(long) override { return com::S_OK; }
};

using Items = std::vector<std::pair<std::string, bool>>;

struct BarCase {
  std::string caption;
  std::string name;
  Items items; // ProgID, begins a group
};

// Reads a bar as the host does: its texts and every item in order, then the first position
// past the end, which must leave the item definition untouched and succeed.
template <class Bar> void expect_bar(const com::ComPtr<Bar>& bar, const BarCase& expected) {
  std::string caption, name;
  ASSERT_EQ(bar->Caption(&caption), com::S_OK);
  ASSERT_EQ(bar->Name(&name), com::S_OK);
  EXPECT_EQ(caption, expected.caption);
  EXPECT_EQ(name, expected.name);

  long count = 0;
  ASSERT_EQ(bar->ItemCount(&count), com::S_OK);
  Items items;
  for (long position = 0; position < count; ++position) {
    auto item = com::make<ItemDef>();
    ASSERT_EQ(bar->GetItemInfo(position, item.get()), com::S_OK);
    items.emplace_back(item->id, item->group);
  }
  EXPECT_EQ(items, expected.items) << expected.caption;

  for (long outside : {count, count + 1, -1L, -2147483647L}) {
    auto item = com::make<ItemDef>();
    EXPECT_EQ(bar->GetItemInfo(outside, item.get()), com::S_OK) << outside;
    EXPECT_EQ(item->id, "untouched") << outside;
    EXPECT_TRUE(item->group) << outside;
  }
}

TEST(CommandBars, MenusListTheirItemsInOrderWithTheirGroups) {
  expect_bar(com::make<Corvane1>(), {"Corvane",
                                     "CorvaneMenu",
                                     {{"Corvane.Network", false},
                                      {"Corvane.Preference", false},
                                      {"Corvane.RouteBatch", false},
                                      {"Corvane.Analize", false},
                                      {"Corvane.SelectionByLocation", false},
                                      {"Corvane.ClearResult", false},
                                      {"Corvane.Help", false},
                                      {"Corvane.About", false}}});
  expect_bar(
      com::make<Network>(),
      {"Network", "Network", {{"Corvane.CreateNetwork", true}, {"Corvane.CloseNetwork", true}}});
  expect_bar(com::make<Preference>(), {"Options",
                                       "Options",
                                       {{"Corvane.RouteOptions", false},
                                        {"Corvane.RoutClr", false},
                                        {"Corvane.Isochrone", false},
                                        {"Corvane.TspOption", false},
                                        {"Corvane.UpdateClass", false},
                                        {"Corvane.SpeedSet", true}}});
  expect_bar(com::make<RouteBatch>(), {"Batch Functions",
                                       "Batch Functions",
                                       {{"Corvane.BatchRoute", false},
                                        {"Corvane.BatchIsoChrone", false},
                                        {"Corvane.TspTables", false}}});
  expect_bar(com::make<Analize>(), {"Analyze",
                                    "Analize",
                                    {{"Corvane.CulDeSac", false},
                                     {"Corvane.ParallelLink", false},
                                     {"Corvane.SubNet", false},
                                     {"Corvane.CloseNode", false},
                                     {"Corvane.AddNodeShp", false},
                                     {"Corvane.UnusedLink", false},
                                     {"Corvane.PseudoNodes", false}}});
}

TEST(CommandBars, ToolbarStartsWithTheRootMenu) {
  expect_bar(com::make<Corvbar>(), {"Corvane",
                                    "Corvane",
                                    {{"Corvane.Corvane1", false},
                                     {"Corvane.Routefinal", true},
                                     {"Corvane.TspFinal", false},
                                     {"Corvane.CloseLink", true},
                                     {"Corvane.OpenLink", false},
                                     {"Corvane.SetDynSpeed", false},
                                     {"Corvane.SetDef", false},
                                     {"Corvane.LinkIsochrone", true},
                                     {"Corvane.IsoLinkMulti", false},
                                     {"Corvane.IsoPoly", false},
                                     {"Corvane.MultyPoly", false},
                                     {"Corvane.IsoPoly3", false},
                                     {"Corvane.ClearResult", true}}});
}

TEST(CommandBars, MenusStandAtRootLevelAndTheToolbarIsNoMenu) {
  EXPECT_TRUE(com::make<Analize>().as<host::IRootLevelMenu>());
  const auto toolbar = com::make<Corvbar>();
  EXPECT_FALSE(toolbar.as<host::IMenuDef>());
  EXPECT_TRUE(toolbar.as<host::IToolBarDef>());
}

TEST(CommandBars, AFailingItemSetterIsReturnedToTheHost) {
  auto bar = com::make<Corvbar>();
  auto failing_id = com::make<ItemDef>();
  failing_id->fail_with = com::E_UNEXPECTED;
  EXPECT_EQ(bar->GetItemInfo(0, failing_id.get()), com::E_UNEXPECTED);
  EXPECT_EQ(failing_id->id, "untouched");

  auto failing_group = com::make<ItemDef>();
  failing_group->fail_with = com::E_FAIL;
  failing_group->fail_group_only = true;
  EXPECT_EQ(bar->GetItemInfo(1, failing_group.get()), com::E_FAIL);
  EXPECT_EQ(failing_group->id, "Corvane.Routefinal") << "the ID was set before the group failed";
}

} // namespace
} // namespace corvane
