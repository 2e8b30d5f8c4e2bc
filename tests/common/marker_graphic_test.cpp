#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "com/create.h"
#include "command/app_path.h"
#include "common/elements_at_point.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "host/color.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/symbol.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

using testing::point;

// A 1 x 1 pixel, 24-bit bitmap.
std::string tiny_bitmap() {
  const unsigned char bytes[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54,  0, 0, 0,        // file
                                 40,  0,   0,  0, 1, 0, 0, 0, 1, 0, 0,   0, 1, 0, 24, 0, // info
                                 0,   0,   0,  0, 4, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0,  0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 255, 0}; // pixel
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The icons the add-in installs beside its module; here the module is the test program, whose
// folder may already hold the real ones (they are kept).
void install_icons() {
  const auto icons = std::filesystem::path(AppPath()) / "Icons";
  std::filesystem::create_directories(icons);
  for (const char* name : {"Flag1.bmp", "flag1.bmp", "Danger.bmp", "flag2.bmp", "Star.bmp"}) {
    if (std::filesystem::exists(icons / name))
      continue;
    // Written aside and renamed, so that tests running side by side never read half a file.
    const auto aside = icons / (std::string(name) + "." + std::to_string(::getpid()));
    std::ofstream(aside, std::ios::binary) << tiny_bitmap();
    std::filesystem::rename(aside, icons / name);
  }
}

class Markers : public testing::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    install_icons();
    // One map unit per pixel.
    const auto extent = com::create_object<host::HostEnvelope>(host::EnvelopeClass);
    extent->PutCoords(0, 0, 1000, 800);
    ASSERT_EQ(document_->map().SetExtent(extent.get()), com::S_OK);
  }
  host::HostGraphicsContainer& graphics() {
    return *com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>();
  }
  std::vector<com::ComPtr<host::HostElement>> elements() {
    std::vector<com::ComPtr<host::HostElement>> all;
    graphics().Reset();
    while (auto element = graphics().Next())
      all.push_back(element);
    return all;
  }
  com::ComPtr<host::HostElement> add_label(double x, double y, const std::string& text) {
    auto label = com::create_object<host::HostTextElement>(host::TextElementClass);
    label->SetText(text);
    auto element = label.as<host::HostElement>();
    element->SetGeometry(point(x, y).get());
    EXPECT_EQ(graphics().AddElement(element.get(), 0), com::S_OK);
    return element;
  }
  int refreshes() { return document_->map().RefreshCount(); }
};

TEST_F(Markers, KindChoosesIconAndSize) {
  const struct {
    const char* kind;
    const char* icon; // "" = no picture
    double size;
  } cases[] = {
      {"IsoPoly", "Flag1.bmp", 15}, {"IsoLink", "flag1.bmp", 15}, {"close", "Danger.bmp", 15},
      {"tmpspd", "flag2.bmp", 15},  {"Star", "Star.bmp", 10},     {"star", "", 15},
      {"Unknown", "", 15},
  };
  for (const auto& c : cases) {
    const int before = refreshes();
    AddMarkerGraphic(map(), point(10, 20).get(), c.kind);
    const auto added = elements().back();
    const auto marker = added.as<host::HostMarkerElement>();
    ASSERT_TRUE(marker) << c.kind;
    const auto symbol = marker->Symbol().as<host::HostPictureMarkerSymbol>();
    ASSERT_TRUE(symbol) << c.kind;
    const std::string picture = symbol->PicturePath();
    if (*c.icon)
      EXPECT_EQ(std::filesystem::path(picture).filename(), c.icon) << c.kind;
    else
      EXPECT_EQ(picture, "") << c.kind;
    EXPECT_EQ(symbol->Size(), c.size) << c.kind;
    EXPECT_EQ(symbol->Color().as<host::HostRgbColor>()->Red(), 255) << c.kind;
    EXPECT_EQ(symbol->Color().as<host::HostRgbColor>()->Green(), 0) << c.kind;
    const auto at = added->Geometry().as<host::HostPoint>();
    EXPECT_EQ(at->X(), 10);
    EXPECT_EQ(at->Y(), 20);
    EXPECT_EQ(refreshes(), before + 1) << c.kind;
  }
  EXPECT_EQ(elements().size(), std::size(cases));
}

TEST_F(Markers, RemovingWhereNothingLiesChangesNothing) {
  AddMarkerGraphic(map(), point(100, 100).get(), "close");
  add_label(100, 100, "Start");
  const int before = refreshes();
  RemoveMarkerGraphic(map(), point(400, 400).get());
  DeleteElementsAt(map(), point(400, 400).get());
  EXPECT_EQ(elements().size(), 2u);
  EXPECT_EQ(refreshes(), before);
}

TEST_F(Markers, EachRemovalTakesOnlyItsKindUpToTheFirstOther) {
  // Located order is the order of adding. Each case: what lies at the point, oldest first,
  // and what each procedure leaves there.
  const struct {
    std::vector<std::string> placed; // "M" a marker, else a label with that text
    std::vector<std::string> after_remove_marker;
    std::vector<std::string> after_delete_named;
    bool refresh_after_remove;
  } cases[] = {
      {{"M", "M"}, {}, {"M", "M"}, true},
      {{"Start", "1"}, {"Start", "1"}, {}, false},
      {{"M", "Start"}, {"Start"}, {"M", "Start"}, false},
      // A marker behind a named result graphic stays: the walk stops at the graphic.
      {{"Start", "M"}, {"Start", "M"}, {"M"}, false},
  };
  const auto describe = [&] {
    std::vector<std::string> seen;
    for (const auto& element : elements()) {
      const auto named = element.as<host::HostElementProperties>();
      seen.push_back(named ? named->Name() : "M");
    }
    return seen;
  };
  const auto place = [&](const std::vector<std::string>& placed) {
    graphics().DeleteAllElements();
    for (const auto& what : placed) {
      if (what == "M")
        AddMarkerGraphic(map(), point(100, 100).get(), "close");
      else
        add_label(100, 100, what);
    }
  };
  for (const auto& c : cases) {
    place(c.placed);
    const int before = refreshes();
    RemoveMarkerGraphic(map(), point(100, 100).get());
    EXPECT_EQ(describe(), c.after_remove_marker);
    EXPECT_EQ(refreshes(), before + (c.refresh_after_remove ? 1 : 0));

    place(c.placed);
    DeleteElementsAt(map(), point(100, 100).get());
    EXPECT_EQ(describe(), c.after_delete_named);
  }
}

// The markers of an opening, read in one pass, stand exactly where a click's marker of the same
// link stands, in the order added per kind, repeated links and all; links the layer lacks are
// left out.
TEST_F(Markers, MarkersReadInOnePassStandWhereASingleMarkerOfTheLinkStands) {
  const auto roads = shapefile("roads", 3,
                               {{{0, 0}, {100, 0}},
                                {{0, 10}, {30, 50}, {90, 50}},
                                {{200, 0}, {200, 40}, {260, 40}, {260, 100}},
                                {{5, 5}, {6, 7}}});
  const struct {
    std::int32_t link;
    double ratio;
    std::string_view kind;
  } added[] = {
      {3, TempSpeedMarkerRatio, MarkerTempSpeed},   {1, ClosedRoadMarkerRatio, MarkerClosedRoad},
      {3, ClosedRoadMarkerRatio, MarkerClosedRoad}, {5, ClosedRoadMarkerRatio, MarkerClosedRoad},
      {0, TempSpeedMarkerRatio, MarkerTempSpeed},   {2, TempSpeedMarkerRatio, MarkerTempSpeed},
      {3, TempSpeedMarkerRatio, MarkerTempSpeed},
  };
  LinkMarkers markers;
  for (const auto& marker : added)
    markers.add(marker.link, marker.ratio, marker.kind);
  markers.read(roads.get());
  markers.draw(map(), MarkerTempSpeed);
  markers.draw(map(), MarkerClosedRoad);

  std::vector<std::pair<double, double>> expected;
  for (const auto kind : {MarkerTempSpeed, MarkerClosedRoad})
    for (const auto& marker : added)
      if (marker.kind == kind)
        if (const auto at = LinkMarkerPoint(roads.get(), marker.link, marker.ratio))
          expected.emplace_back(at->X(), at->Y());
  std::vector<std::pair<double, double>> drawn;
  for (const auto& element : elements()) {
    const auto at = element->Geometry().as<host::HostPoint>();
    drawn.emplace_back(at->X(), at->Y());
  }
  EXPECT_EQ(expected.size(), 5u);
  EXPECT_EQ(drawn, expected);
}

} // namespace
} // namespace corvane
