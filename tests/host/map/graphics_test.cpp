#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/elements.h"
#include "map/geometry_factory.h"
#include "map/map.h"
#include "map/symbols.h"

namespace host {
namespace {

com::ComPtr<HostElement> marker_at(double x, double y, double size) {
  auto symbol = com::make<PictureMarkerSymbol>();
  symbol->SetSize(size);
  auto marker = com::make<MarkerElement>();
  marker->SetSymbol(symbol.get());
  marker->SetGeometry(new_point(x, y, nullptr).get());
  return marker;
}

com::ComPtr<HostElement> label_at(double x, double y, const std::string& text) {
  auto label = com::make<TextElement>();
  label->SetText(text);
  label->SetGeometry(new_point(x, y, nullptr).get());
  return label;
}

// A map showing 0..1000 x 0..800 map units: one map unit per pixel.
com::ComPtr<Map> unit_map() {
  auto map = com::make<Map>();
  EXPECT_EQ(map->SetExtent(new_envelope({0, 0, 1000, 800}, nullptr).get()), com::S_OK);
  return map;
}

std::vector<HostElement*> walk(HostEnumElement* elements) {
  std::vector<HostElement*> seen;
  elements->Reset();
  while (auto e = elements->Next())
    seen.push_back(e.get());
  return seen;
}

TEST(LocateElements, ToleranceZeroFindsAMarkerAtAPointStoredInSinglePrecision) {
  // A marker placed at a double point is searched again at the point kept as a float, as the
  // add-in keeps its polygon centres: the marker's symbol extent must still cover it.
  auto map = com::make<Map>();
  ASSERT_EQ(map->SetExtent(
                new_envelope({677440.384, 6399855.559, 679440.384, 6401455.559}, nullptr).get()),
            com::S_OK);
  const double x = 678440.3839640059, y = 6400655.559205196;
  auto marker = marker_at(x, y, 15);
  ASSERT_EQ(map->AddElement(marker.get(), 0), com::S_OK);

  const auto widened = new_point(static_cast<float>(x), static_cast<float>(y), nullptr);
  ASSERT_NE(widened->X(), x);
  const auto found = map->LocateElements(widened.get(), 0);
  ASSERT_TRUE(found);
  EXPECT_EQ(walk(found.get()), std::vector<HostElement*>{marker.get()});
}

TEST(LocateElements, FindsOnlyWhatCoversThePointInContainerOrder) {
  auto map = unit_map();
  auto first = marker_at(100, 100, 10); // covers 95..105
  auto label = label_at(100, 100, "Start");
  auto far = marker_at(300, 300, 10);
  for (auto* e : {first.get(), label.get(), far.get()})
    ASSERT_EQ(map->AddElement(e, 0), com::S_OK);

  const auto near = new_point(104, 100, nullptr);
  EXPECT_EQ(walk(map->LocateElements(near.get(), 0).get()),
            (std::vector<HostElement*>{first.get(), label.get()}));

  const auto outside = new_point(120, 100, nullptr);
  EXPECT_FALSE(map->LocateElements(outside.get(), 0)) << "nothing there gives no collection";
  EXPECT_TRUE(map->LocateElements(outside.get(), 20)) << "a tolerance widens the search";
}

TEST(GraphicsContainer, DeletingDuringAWalkIsSafeAndSkipsDeletedElements) {
  auto map = unit_map();
  std::vector<com::ComPtr<HostElement>> elements;
  for (int i = 0; i < 4; ++i) {
    elements.push_back(label_at(10.0 * i, 10, std::to_string(i)));
    ASSERT_EQ(map->AddElement(elements.back().get(), 0), com::S_OK);
  }
  map->Reset();
  std::vector<std::string> seen;
  while (auto e = map->Next()) {
    const auto name = e.as<HostElementProperties>()->Name();
    seen.push_back(name);
    if (name == "0") {
      EXPECT_EQ(map->DeleteElement(e.get()), com::S_OK);           // the current one
      EXPECT_EQ(map->DeleteElement(elements[2].get()), com::S_OK); // one not reached yet
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"0", "1", "3"}));
  EXPECT_EQ(map->ElementCount(), 2);
  EXPECT_EQ(map->DeleteElement(elements[2].get()), com::E_INVALIDARG);
  EXPECT_EQ(map->AddElement(elements[1].get(), 0), com::E_INVALIDARG) << "already in the map";
}

TEST(GraphicsContainer, ALocatedSetSurvivesDeletesAndTheMap) {
  com::ComPtr<HostEnumElement> found;
  {
    auto map = unit_map();
    auto a = marker_at(50, 50, 10);
    auto b = marker_at(50, 50, 10);
    map->AddElement(a.get(), 0);
    map->AddElement(b.get(), 0);
    found = map->LocateElements(new_point(50, 50, nullptr).get(), 0);
    ASSERT_TRUE(found);
    found->Reset();
    EXPECT_EQ(map->DeleteElement(found->Next().get()), com::S_OK);
    EXPECT_EQ(found->Next().get(), b.get());
    map->DeleteAllElements();
  }
  found->Reset();
  EXPECT_FALSE(found->Next()) << "deleted elements are skipped, even after the map is gone";
}

TEST(ElementProperties, MarkersCarryNoNameTagAndLabelsAnswerTheirText) {
  auto label = label_at(0, 0, " 2");
  EXPECT_EQ(label.as<HostElementProperties>()->Name(), " 2");
  label.as<HostElementProperties>()->SetName("End");
  EXPECT_EQ(label.as<HostElementProperties>()->Name(), "End");
  EXPECT_FALSE(marker_at(0, 0, 10).as<HostElementProperties>());
  EXPECT_TRUE(marker_at(0, 0, 10).as<HostMarkerElement>());
}

} // namespace
} // namespace host
