#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/table.h"
#include "map/document.h"

namespace corvane::testing {

// The isochrone zone list as the isochrone options leave it: the ascending `limits` as zones
// 1 .. n, the last one the largest (gZoneMax; 0 without zones).
void set_zones(const std::vector<float>& limits);

// New host geometries, without a coordinate system.
com::ComPtr<host::HostPoint> point(double x, double y);
com::ComPtr<host::HostPolyline> polyline(const host::Path& path);

// A test of add-in code on a real host: a fresh shared state, a document with an empty focus
// map, and a folder of the test's own (also the drive root) for shapefiles and settings files.
class HostTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Path of `name` in the test's folder (or the folder itself).
  std::string path(std::string_view name = "") const;

  // A new shapefile NAME.shp in the folder (or a subfolder of it), one feature per shape in
  // order, with the shape type of host::HostGeometryType (point shapes give their first
  // vertex; polygon shapes are rings).
  com::ComPtr<host::HostFeatureClass> shapefile(std::string_view name, int shape_type,
                                                const std::vector<host::Path>& shapes,
                                                std::string_view subfolder = "");
  // A feature layer named `name` over `features`, added on top of the focus map.
  com::ComPtr<host::HostFeatureLayer> add_layer(const com::ComPtr<host::HostFeatureClass>& features,
                                                std::string_view name);

  host::HostMap* map() { return &document_->map(); }

  com::ComPtr<host::Document> document_;
  std::filesystem::path root_;
};

} // namespace corvane::testing
