#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <set>

#include "data/filters.h"
#include "fixture.h"
#include "geometry/shape_access.h"

namespace host::test {
namespace {

namespace fs = std::filesystem;

const fs::path sample = fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg";

// The record numbers GDAL finds for the same rectangle on the same file.
std::set<std::int32_t> gdal_ids(double xmin, double ymin, double xmax, double ymax) {
  GDALAllRegister();
  GDALDatasetUniquePtr dataset(GDALDataset::Open((sample / "roads.shp").c_str(), GDAL_OF_VECTOR));
  OGRLayer* layer = dataset->GetLayer(0);
  layer->SetSpatialFilterRect(xmin, ymin, xmax, ymax);
  std::set<std::int32_t> ids;
  for (const auto& feature : *layer)
    ids.insert(static_cast<std::int32_t>(feature->GetFID()));
  return ids;
}

std::set<std::int32_t> host_ids(HostFeatureClass* roads, HostQueryFilter* filter) {
  com::ComPtr<HostFeatureCursor> cursor;
  EXPECT_EQ(roads->Search(filter, false, &cursor), com::S_OK);
  std::set<std::int32_t> ids;
  for (com::ComPtr<HostFeature> f; cursor->NextFeature(&f) == com::S_OK;)
    ids.insert(f->OID());
  return ids;
}

TEST(SpatialFilter, EnvelopeSearchOnTheSampleRoadsFindsWhatGdalFinds) {
  const auto roads = open_class(sample, "roads");
  // Near the middle of some road, where a user would click.
  com::ComPtr<HostFeature> road;
  ASSERT_EQ(roads->GetFeature(1000, &road), com::S_OK);
  auto middle = make_geometry_as<HostPoint>(make_point(0, 0), nullptr);
  ASSERT_EQ(road->Shape().as<HostCurve>()->QueryPoint(0, 0.5, true, middle.get()), com::S_OK);
  const double cx = middle->X() + 3, cy = middle->Y() - 2;

  // A click's search box, as the link picking builds it: the point's envelope, expanded.
  for (double half : {15.0, 400.0}) {
    auto click = make_geometry_as<HostPoint>(
        make_point(cx, cy), roads->Fields()->Field(1)->GeometryDef()->SpatialReference().get());
    auto box = click->Envelope();
    box->Expand(half, half, false);
    auto filter = create_spatial_filter().as<HostSpatialFilter>();
    filter->SetGeometry(box.get());
    filter->SetSpatialRel(spatial_rel_intersects);
    filter->SetGeometryField(roads->ShapeFieldName());
    const auto found = host_ids(roads.get(), filter.get());
    EXPECT_FALSE(found.empty()) << half;
    EXPECT_EQ(found, gdal_ids(cx - half, cy - half, cx + half, cy + half)) << half;

    std::int32_t n = 0;
    ASSERT_EQ(roads->FeatureCount(filter.get(), &n), com::S_OK);
    EXPECT_EQ(n, static_cast<std::int32_t>(found.size()));
  }
}

TEST(SpatialFilter, GeometryFilterAndWhereClauseCombine) {
  TempFolder folder;
  write_links(folder.path(), "links", three_links());
  const auto links = open_class(folder.path(), "links");
  auto filter = create_spatial_filter().as<HostSpatialFilter>();
  // A diagonal line crossing only the middle link's corner area... and the first link.
  auto cut =
      make_geometry_as<HostPolyline>(Shape{geometry_polyline, {{{5, -1}, {11, 5}}}}, nullptr);
  filter->SetGeometry(cut.get());
  EXPECT_EQ(host_ids(links.get(), filter.get()), (std::set<std::int32_t>{0, 1}));
  filter->SetWhereClause("NAME = 'Main'");
  EXPECT_EQ(host_ids(links.get(), filter.get()), (std::set<std::int32_t>{0}));
  filter->SetSpatialRel(7);
  com::ComPtr<HostFeatureCursor> cursor;
  EXPECT_EQ(links->Search(filter.get(), false, &cursor), com::E_INVALIDARG);
}

} // namespace
} // namespace host::test
