#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fixture.h"
#include "geometry/shape_access.h"

namespace host::test {
namespace {

// FID, Shape, NAME, CLASS of the three links.
constexpr int name_field = 2;
constexpr int class_field = 3;

class SubFieldsTest : public ::testing::Test {
protected:
  void SetUp() override { write_links(folder.path(), "Links", three_links(), utm32n_prj); }

  com::ComPtr<HostFeatureCursor> cursor(const std::string& sub_fields, bool update = false,
                                        const std::string& where = "") {
    const auto filter = make_where(where);
    filter->SetSubFields(sub_fields);
    com::ComPtr<HostFeatureCursor> opened;
    const auto fc = open_class(folder.path(), "Links");
    EXPECT_EQ(update ? fc->Update(filter.get(), false, &opened)
                     : fc->Search(filter.get(), false, &opened),
              com::S_OK);
    return opened;
  }

  com::ComPtr<HostFeature> stored(std::int32_t id) {
    com::ComPtr<HostFeature> feature;
    EXPECT_EQ(open_class(folder.path(), "Links")->GetFeature(id, &feature), com::S_OK);
    return feature;
  }

  TempFolder folder;
};

TEST_F(SubFieldsTest, ARowHoldsTheNamedFieldsAtTheirIndexesAndTheIdAlways) {
  struct Case {
    std::string sub_fields;
    bool shape;
    std::optional<std::string> name;
    std::optional<double> road_class;
  };
  for (const auto& c : std::vector<Case>{
           {"*", true, "Main", 1},
           {"", true, "Main", 1},
           {"Shape", true, std::nullopt, std::nullopt},
           {" name , SHAPE", true, "Main", std::nullopt},
           {"CLASS,CLASS", false, std::nullopt, 1},
           {"FID", false, std::nullopt, std::nullopt},
           {"CLASS, *", true, "Main", 1},
       }) {
    SCOPED_TRACE("SubFields \"" + c.sub_fields + "\"");
    const auto search = cursor(c.sub_fields);
    ASSERT_TRUE(search);
    EXPECT_EQ(search->Fields()->FieldCount(), 4);
    com::ComPtr<HostFeature> feature;
    ASSERT_EQ(search->NextFeature(&feature), com::S_OK);
    EXPECT_EQ(feature->OID(), 0);
    EXPECT_EQ(feature->Value(0).to_int32(), 0);
    EXPECT_EQ(feature->Shape() != nullptr, c.shape);
    if (c.shape) {
      EXPECT_EQ(feature->Shape().as<HostCurve>()->Length(), 10.0);
    }
    const auto name = feature->Value(name_field);
    EXPECT_EQ(name.is_empty() ? std::nullopt : name.to_string(), c.name);
    const auto road_class = feature->Value(class_field);
    EXPECT_EQ(road_class.is_empty() ? std::nullopt : road_class.to_double(), c.road_class);
  }
}

TEST_F(SubFieldsTest, TheWhereClauseSeesFieldsThatAreNotFetched) {
  const auto search = cursor("Shape", false, "NAME = 'Side'");
  com::ComPtr<HostFeature> feature;
  ASSERT_EQ(search->NextFeature(&feature), com::S_OK);
  EXPECT_EQ(feature->OID(), 1);
  EXPECT_TRUE(feature->Value(name_field).is_empty());
  EXPECT_EQ(search->NextFeature(&feature), com::S_FALSE);
}

TEST_F(SubFieldsTest, AFieldTheTableDoesNotHaveFailsTheSearch) {
  for (const char* sub_fields : {"Shape,ROADS", "Shape;NAME"}) {
    const auto filter = make_where("");
    filter->SetSubFields(sub_fields);
    com::ComPtr<HostFeatureCursor> search;
    EXPECT_EQ(open_class(folder.path(), "Links")->Search(filter.get(), false, &search),
              com::E_INVALIDARG)
        << sub_fields;
  }
}

// A stored row must not write back the values it never read: the user's data would be blanked.
TEST_F(SubFieldsTest, StoreWritesWhatWasSetAndLeavesWhatWasNotFetched) {
  {
    const auto update = cursor("CLASS", true);
    com::ComPtr<HostFeature> feature;
    ASSERT_EQ(update->NextFeature(&feature), com::S_OK);
    ASSERT_EQ(feature->SetValue(class_field, std::int32_t{7}), com::S_OK);
    ASSERT_EQ(update->UpdateFeature(feature.get()), com::S_OK);
    // The second row's shape is set though it was not fetched.
    ASSERT_EQ(update->NextFeature(&feature), com::S_OK);
    feature->SetShape(make_geometry(Shape{geometry_polyline, {{{10, 0}, {10, 4}}}}, nullptr).get());
    ASSERT_EQ(update->UpdateFeature(feature.get()), com::S_OK);
  }
  const auto first = stored(0);
  EXPECT_EQ(first->Value(class_field).to_double(), 7);
  EXPECT_EQ(first->Value(name_field).to_string(), "Main");
  EXPECT_EQ(first->Shape().as<HostCurve>()->Length(), 10.0);
  const auto second = stored(1);
  EXPECT_EQ(second->Shape().as<HostCurve>()->Length(), 4.0);
  EXPECT_EQ(second->Value(name_field).to_string(), "Side");
  EXPECT_EQ(second->Value(class_field).to_double(), 2);
}

} // namespace
} // namespace host::test
