#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/create.h"
#include "dialogs/network/frm_isochrone.h"
#include "dialogs/network/frm_set_speed.h"
#include "host/mouse_cursor.h"
#include "network/state/shared_state.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

class ZoneList : public testing::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    gFrmIsochroneForm().Unload();
  }
  void TearDown() override {
    gFrmIsochroneForm().Unload();
    HostTest::TearDown();
  }
  void zones(const std::vector<float>& limits) {
    auto& state = shared_state();
    state.gZoneCount = static_cast<std::int32_t>(limits.size());
    state.gZoneValues.reallocate(state.gZoneCount);
    for (std::size_t i = 0; i < limits.size(); ++i)
      state.gZoneValues[static_cast<std::int32_t>(i + 1)] = limits[i];
  }
  std::vector<std::string> entries() {
    std::vector<std::string> all;
    const auto& list = gFrmIsochroneForm().List1;
    for (int i = 0; i < list.ListCount(); ++i)
      all.push_back(list.List(i));
    return all;
  }
};

TEST_F(ZoneList, ListsTheZonesAndShowsTheFirstLimit) {
  auto& form = gFrmIsochroneForm();
  zones({5, 10, 15.5f});
  const auto pointer = create<host::HostMouseCursor>(host::MouseCursorClass);
  pointer->SetCursor(2);
  form.ListZones(true);
  EXPECT_EQ(pointer->Cursor(), 0) << "loading the dialog sets the default pointer";
  EXPECT_EQ(entries(), (std::vector<std::string>{"Zone 1", "Zone 2", "Zone 3"}));
  EXPECT_EQ(form.List1.ListIndex(), 0);
  EXPECT_EQ(form.Text1.Text(), "5");

  form.List1.SetListIndex(2);
  EXPECT_EQ(form.Text1.Text(), "15.5");
}

TEST_F(ZoneList, AppendsWhenNotClearedAndSelectsNothingWithoutZones) {
  auto& form = gFrmIsochroneForm();
  zones({5, 10});
  form.ListZones(true);
  form.ListZones(false);
  EXPECT_EQ(entries(), (std::vector<std::string>{"Zone 1", "Zone 2", "Zone 1", "Zone 2"}));

  zones({});
  form.Text1.SetText("7");
  form.ListZones(true);
  EXPECT_TRUE(entries().empty());
  EXPECT_EQ(form.Text1.Text(), "7");
}

TEST(FrmSetSpeed, HoldsOneEntryPerRoadClass) {
  auto& form = gFrmSetSpeedForm();
  form.List1.Clear();
  form.List1.AddItem("Speed 0");
  form.List1.AddItem("Motorway");
  EXPECT_EQ(form.List1.ListCount(), 2);
  EXPECT_EQ(form.List1.List(1), "Motorway");
  form.Unload();
  EXPECT_EQ(form.List1.ListCount(), 0);
}

} // namespace
} // namespace corvane
