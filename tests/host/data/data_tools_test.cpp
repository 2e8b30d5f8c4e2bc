#include <gtest/gtest.h>

#include "data/data_classes.h"
#include "data/data_tools.h"
#include "data/field_objects.h"
#include "fixture.h"
#include "geometry/shape_access.h"
#include "host/data_tools.h"

namespace host::test {
namespace {

com::ComPtr<HostFeatureClass> create_class(HostFeatureWorkspace* workspace, const std::string& name,
                                           int shape_type,
                                           HostSpatialReference* reference = nullptr) {
  auto value = make_field({"VALUE", field_double, 0, 0, 0});
  auto fields =
      make_fields({make_oid_field("FID"), make_shape_field(shape_type, reference), value});
  com::ComPtr<HostFeatureClass> created;
  EXPECT_EQ(workspace->CreateFeatureClass(name, fields.get(), 1, "Shape", "", &created), com::S_OK);
  return created;
}

void insert(HostFeatureClass* fc, const Shape& shape, double value) {
  com::ComPtr<HostFeatureBuffer> buffer;
  ASSERT_EQ(fc->CreateFeatureBuffer(&buffer), com::S_OK);
  buffer->SetShape(make_geometry(shape, nullptr).get());
  ASSERT_EQ(buffer->SetValue(2, value), com::S_OK);
  com::ComPtr<HostFeatureCursor> cursor;
  ASSERT_EQ(fc->Insert(true, &cursor), com::S_OK);
  ASSERT_EQ(cursor->InsertFeature(buffer.get(), nullptr), com::S_OK);
}

Shape square(double x0, double y0, double side) {
  return Shape{geometry_polygon,
               {{{x0, y0}, {x0, y0 + side}, {x0 + side, y0 + side}, {x0 + side, y0}, {x0, y0}}}};
}

TEST(DataTools, PointClassesStoreTheirPointsAndStatisticsSummariseAField) {
  TempFolder folder;
  const auto workspace = open_folder(folder.path());
  const auto points = create_class(workspace.get(), "stops", geometry_point);
  for (double v : {4.0, 1.5, 9.0})
    insert(points.get(), make_point(v, -v), v);

  com::ComPtr<HostFeature> third;
  ASSERT_EQ(points->GetFeature(2, &third), com::S_OK);
  EXPECT_EQ(third->Shape().as<HostPoint>()->Y(), -9.0);

  auto statistics = create_field_statistics().as<HostFieldStatistics>();
  com::ComPtr<HostFeatureCursor> cursor;
  ASSERT_EQ(points->Search(nullptr, false, &cursor), com::S_OK);
  statistics->SetCursor(cursor.get());
  statistics->SetField("value");
  com::ComPtr<HostStatisticsResult> result;
  ASSERT_EQ(statistics->Statistics(&result), com::S_OK);
  EXPECT_EQ(result->Count(), 3);
  EXPECT_EQ(result->Maximum(), 9.0);
  EXPECT_EQ(result->Minimum(), 1.5);
  statistics->SetField("Shape");
  EXPECT_EQ(statistics->Statistics(&result), com::E_INVALIDARG);

  // Indexes are accepted for fields the class has, and refused for others.
  for (const auto& [name, expected] :
       {std::pair{"VALUE", com::S_OK}, {"NOPE", com::E_INVALIDARG}}) {
    auto index = create_index().as<HostIndexEdit>();
    auto fields = make_fields({make_field({name, field_double, 0, 0, 0})});
    index->SetFields(fields.get());
    index->SetName(name);
    EXPECT_EQ(points->AddIndex(index.get()), expected) << name;
  }
}

TEST(DataTools, ClipCutsEveryFeatureToTheClipShapesAndKeepsValues) {
  TempFolder folder;
  const auto workspace = open_folder(folder.path());
  const auto zones = create_class(workspace.get(), "zones", geometry_polygon);
  insert(zones.get(), square(0, 0, 10), 1);
  insert(zones.get(), square(20, 0, 10), 2); // outside every clip shape
  const auto clip = create_class(workspace.get(), "area", geometry_polygon);
  insert(clip.get(), square(5, 5, 10), 0);
  insert(clip.get(), square(-5, -5, 7), 0); // a second piece: the zone's corner up to (2, 2)

  auto output = create_feature_class_name().as<HostFeatureClassName>();
  auto where = create_workspace_name().as<HostWorkspaceName>();
  where->SetWorkspaceFactoryProgID(std::string(ShapefileWorkspaceFactoryClass));
  where->SetPathName(folder.str());
  output->SetWorkspaceName(where.get());
  output->SetName("IsoPoly");
  output->SetShapeType(geometry_polygon);

  auto converter = create_feature_data_converter().as<HostFeatureDataConverter>();
  com::ComPtr<HostFeatureClass> clipped;
  ASSERT_EQ(converter->Clip(zones.as<HostTable>().get(), false, clip.as<HostTable>().get(), false,
                            0.0, output.get(), &clipped),
            com::S_OK);
  std::int32_t n = 0;
  ASSERT_EQ(clipped->FeatureCount(nullptr, &n), com::S_OK);
  ASSERT_EQ(n, 1);
  com::ComPtr<HostFeature> piece;
  ASSERT_EQ(clipped->GetFeature(0, &piece), com::S_OK);
  EXPECT_DOUBLE_EQ(piece->Shape().as<HostPolygon>()->Area(), 25.0 + 4.0);
  EXPECT_EQ(piece->Value(clipped->FindField("VALUE")).to_double(), 1.0);

  // A plain conversion copies the features that pass the filter unchanged.
  output->SetName("Copy");
  com::ComPtr<HostFeatureClass> copy;
  ASSERT_EQ(converter->ConvertFeatureClass(zones.get(), make_where("VALUE = 2").get(), nullptr,
                                           output.get(), &copy),
            com::S_OK);
  ASSERT_EQ(copy->FeatureCount(nullptr, &n), com::S_OK);
  ASSERT_EQ(n, 1);
  ASSERT_EQ(copy->GetFeature(0, &piece), com::S_OK);
  EXPECT_DOUBLE_EQ(piece->Shape().as<HostPolygon>()->Area(), 100.0);
}

TEST(DataTools, EveryClassIsCreatedByItsProgId) {
  for (const auto& entry : data_classes()) {
    const auto object = entry.create();
    EXPECT_TRUE(object) << entry.prog_id;
  }
  const auto find = [](std::string_view id) {
    for (const auto& entry : data_classes())
      if (entry.prog_id == id)
        return entry.create();
    return com::ComPtr<com::IUnknown>();
  };
  EXPECT_TRUE(find(ShapefileWorkspaceFactoryClass).as<HostWorkspaceFactory>());
  EXPECT_TRUE(find(PolylineClass).as<HostPolyline>());
  EXPECT_TRUE(find(SpatialFilterClass).as<HostSpatialFilter>());
  EXPECT_FALSE(find(QueryFilterClass).as<HostSpatialFilter>());
}

} // namespace
} // namespace host::test
